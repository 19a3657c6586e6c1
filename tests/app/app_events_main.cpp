// Test entry for the program's own application object: the offscreen
// platform unless the caller chose one.
#include "app/application.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The main window's update check never reaches the maker's server from a
    // test: a loopback port nobody serves refuses it.
    if (!std::getenv("ZEPERON_UPDATE_URL"))
        setenv("ZEPERON_UPDATE_URL", "http://127.0.0.1:9", 1);
    ::testing::InitGoogleTest(&argc, argv);
    ZpApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
