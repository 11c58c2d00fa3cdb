#include "app/localize_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QToolBar>
#include <QVariant>
#include <QWidget>

#include <optional>

namespace hxv5 {

namespace {

// The string whose identifier a design-time text holds; nothing when the text is no number or the
// table has no such string. Identifiers of 0 and below name nothing.
std::optional<QString> lookUp(const QString &designText, Language language)
{
    const std::optional<int> id = resourceId(designText);
    if (!id || *id <= 0)
        return std::nullopt;
    return resourceString(*id, language);
}

QString tagOf(const QObject *object)
{
    return object->property(kTagProperty).toString();
}

bool isMenuItem(const QAction *action)
{
    const QList<QObject *> owners = action->associatedObjects();
    for (const QObject *owner : owners) {
        if (qobject_cast<const QMenu *>(owner) || qobject_cast<const QMenuBar *>(owner))
            return true;
    }
    return false;
}

void localizeTabStrip(QTabBar *tabs, Language language)
{
    for (int i = 0; i < tabs->count(); ++i) {
        if (const auto text = lookUp(tabs->tabData(i).toString(), language))
            tabs->setTabText(i, *text);
        if (const auto tip = lookUp(tabs->tabToolTip(i), language))
            tabs->setTabToolTip(i, *tip);
    }
}

void localizeToolbar(QToolBar *toolbar, Language language)
{
    const QList<QAction *> buttons = toolbar->actions();
    for (QAction *button : buttons) {
        if (const auto tip = lookUp(button->toolTip(), language))
            button->setToolTip(*tip);
    }
}

// A control that is none of the kinds above: a caption from the tag, a tool tip from the
// identifier in the tool tip.
void localizeOther(QWidget *control, Language language)
{
    if (const auto caption = lookUp(tagOf(control), language)) {
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->setText(*caption);
        else if (auto *frame = qobject_cast<QGroupBox *>(control))
            frame->setTitle(*caption);
        else
            control->setWindowTitle(*caption);
    }
    if (const auto tip = lookUp(control->toolTip(), language))
        control->setToolTip(*tip);
}

} // namespace

void LocalizeForm(QWidget *form, Language language)
{
    if (!form)
        return;
    if (const auto caption = lookUp(tagOf(form), language))
        form->setWindowTitle(*caption);

    // Menu items are actions shown in a menu or the menu bar; the menus' own titles are their
    // menu actions' texts, so one pass covers the whole menu tree.
    const QList<QAction *> actions = form->findChildren<QAction *>();
    for (QAction *action : actions) {
        if (!isMenuItem(action))
            continue;
        if (const auto caption = lookUp(action->text(), language))
            action->setText(*caption);
    }

    const QList<QWidget *> controls = form->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (qobject_cast<QMenu *>(control) || qobject_cast<QMenuBar *>(control))
            continue;
        if (auto *tabs = qobject_cast<QTabBar *>(control))
            localizeTabStrip(tabs, language);
        else if (auto *toolbar = qobject_cast<QToolBar *>(control))
            localizeToolbar(toolbar, language);
        else if (auto *label = qobject_cast<QLabel *>(control)) {
            if (const auto text = lookUp(tagOf(label), language))
                label->setText(*text);
        } else
            localizeOther(control, language);
    }
}

} // namespace hxv5
