// Test entry for widget tests: the offscreen platform unless the caller chose
// one (gtest discovery runs the binary without the tests' environment), and
// numbers in the "C" locale once the application object has set its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <clocale>
#include <cstdlib>

namespace {

// A case that closes its last window asks the application to quit while no
// loop runs; the request stays and would end every later modal loop at once.
// A turn of the application's own loop after each case consumes it.
class QuitRequestReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QApplication::exec();
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The main window's update check never reaches the maker's server from a
    // test: a loopback port nobody serves refuses it.
    if (!std::getenv("ZEPERON_UPDATE_URL"))
        setenv("ZEPERON_UPDATE_URL", "http://127.0.0.1:9", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::UnitTest::GetInstance()->listeners().Append(new QuitRequestReset);
    return RUN_ALL_TESTS();
}
