// Not a test: every settings page in German and in Czech, for a person to
// look at whether the texts fit their controls. scripts/screenshots runs it
// under Xvfb with ZP_SHOTS naming the folder for the pictures. Controls whose
// text is wider than the control are listed on the standard output, as a
// guide for the eye.
#include "app/language.h"
#include "pagewindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>

#include <cstdio>
#include <cstdlib>

namespace {

int TextWidth(const QWidget* w, const QString& text)
{
    return w->fontMetrics().horizontalAdvance(QString(text).remove('&'));
}

// Labels, buttons and group titles of the shown page wider than their room.
void ListOverflows(TMainForm* form, const char* language, int slot)
{
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(form->Components(i));
        if (!control || !control->Widget() || !control->Widget()->isVisible())
            continue;
        const QWidget* w = control->Widget();
        int need = 0;
        if (auto* label = qobject_cast<const QLabel*>(w))
            need = label->wordWrap() ? 0 : TextWidth(w, label->text());
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            need = TextWidth(w, button->text()) + (qobject_cast<const QPushButton*>(w) ? 6 : 20);
        else if (auto* group = qobject_cast<const QGroupBox*>(w))
            need = TextWidth(w, group->title()) + 16;
        if (need > w->width())
            std::printf("%s page %d: %s needs %d, has %d\n", language, slot, control->Name().c_str(), need, w->width());
    }
}

TEST_F(PageWindow, EveryPageInGermanAndCzech)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    form->resize(1240, 760);
    form->show();
    const struct {
        int index;
        const char* name;
    } languages[] = { { 1, "de" }, { 2, "cz" } };
    for (const auto& language : languages) {
        LangIndex = language.index;
        ApplyLanguage(form.get());
        for (int slot = 0; slot < PAGE_SLOTS; ++slot) {
            TTabSheet* sheet = form->PageSheets[size_t(slot)];
            if (!sheet || !sheet->TabVisible())
                continue;
            form->ShowPage(slot);
            QApplication::processEvents();
            ListOverflows(form.get(), language.name, slot);
            EXPECT_TRUE(form->grab().save(
                QString("%1/language-%2-page%3.png").arg(folder, language.name).arg(slot, 2, 10, QChar('0'))));
        }
    }
}

} // namespace
