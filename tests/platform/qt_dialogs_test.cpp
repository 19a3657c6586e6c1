#include "platform/qt_dialogs.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

// Acts on the modal window once its event loop runs. The timer only fires
// inside that loop, so nothing waits when no window appears.
void WhenModalShows(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// A failed expectation must still end the modal loop.
void CloseUnexpected(QWidget* modal)
{
    ADD_FAILURE() << "unexpected window " << modal->metaObject()->className();
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

} // namespace

TEST(QtDialogs, MessageBoxShowsTheTypesButtonsAndReportsThePressedOne)
{
    struct Case {
        unsigned type;
        QMessageBox::StandardButton press;
        int result;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
    } cases[] = {
        { MB_OK, QMessageBox::Ok, IDOK, QMessageBox::NoIcon, QMessageBox::Ok },
        { MB_OK | MB_ICONERROR, QMessageBox::Ok, IDOK, QMessageBox::Critical, QMessageBox::Ok },
        { MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2, QMessageBox::Ok, IDOK, QMessageBox::Warning,
            QMessageBox::Cancel },
        { MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2, QMessageBox::Cancel, IDCANCEL, QMessageBox::Warning,
            QMessageBox::Cancel },
        { MB_YESNO | MB_ICONQUESTION, QMessageBox::No, IDNO, QMessageBox::Question, QMessageBox::Yes },
        { MB_YESNOCANCEL | MB_ICONINFORMATION, QMessageBox::Yes, IDYES, QMessageBox::Information, QMessageBox::Yes },
        { MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, QMessageBox::Ignore, IDIGNORE, QMessageBox::NoIcon,
            QMessageBox::Ignore },
        { MB_RETRYCANCEL, QMessageBox::Retry, IDRETRY, QMessageBox::NoIcon, QMessageBox::Retry },
    };
    QtDialogProvider provider;
    for (const Case& c : cases) {
        QString shownText, shownCaption;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QMessageBox::StandardButton shownDefault = QMessageBox::NoButton;
        WhenModalShows([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return CloseUnexpected(modal);
            shownText = box->text();
            shownCaption = box->windowTitle();
            shownIcon = box->icon();
            shownDefault = box->standardButton(box->defaultButton());
            if (QAbstractButton* button = box->button(c.press))
                button->click();
            else
                CloseUnexpected(box);
        });
        EXPECT_EQ(provider.MessageBox(QStringLiteral(u"Přepsat?"), "Caption", c.type), c.result) << std::hex << c.type;
        EXPECT_EQ(shownText, QStringLiteral(u"Přepsat?"));
        EXPECT_EQ(shownCaption, "Caption");
        EXPECT_EQ(shownIcon, c.icon) << std::hex << c.type;
        EXPECT_EQ(shownDefault, c.defaultButton) << std::hex << c.type;
    }
}

TEST(QtDialogs, SaveDialogAddsTheDefaultExtensionAndStartsInTheGivenFolder)
{
    TempDir dir;
    QtDialogProvider provider;
    QStringList filters;
    WhenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return CloseUnexpected(modal);
        filters = dialog->nameFilters();
        dialog->selectFile("settings");
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString chosen
        = provider.SaveFileName({ "Save", "IGN file|*.ign", 1, "*.ign", QString::fromStdString(dir.file("old.ign")) });
    EXPECT_EQ(chosen, QString::fromStdString(dir.file("settings.ign")));
    EXPECT_EQ(filters, QStringList { "IGN file (*.ign)" });

    WhenModalShows([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(provider.OpenFileName({ "Open", "IGN file|*.ign", 1, "*.ign", "" }), "");
}
