#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QStringList>
#include <QWidget>

// The object names of the inputs under window (lists and editable lines that are not hidden)
// that a screen reader could announce only by one of their own items or by nothing: an input
// needs a name, or a label related to it, whose text is none of its items. Qt on Linux names a
// list by its current item and leaves what it asks to the label relation.
inline QStringList InputsWithoutNames(QWidget& window) {
    QStringList unnamed;
    for (QWidget* input : window.findChildren<QWidget*>()) {
        auto* combo = qobject_cast<QComboBox*>(input);
        auto* edit = qobject_cast<QLineEdit*>(input);
        const bool ownLine =
            edit && !edit->isReadOnly() && !qobject_cast<QComboBox*>(edit->parentWidget());
        if (input->isHidden() || (!combo && !ownLine)) continue;
        QStringList items;
        for (int i = 0; combo && i < combo->count(); ++i) items << combo->itemText(i);
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(input);
        QStringList heard{node->text(QAccessible::Name)};
        for (const auto& [label, relation] : node->relations(QAccessible::Label))
            heard << label->text(QAccessible::Name);
        bool named = false;
        for (const QString& text : heard)
            named |= !text.trimmed().isEmpty() && !items.contains(text);
        if (!named) unnamed << input->objectName();
    }
    return unnamed;
}

// The pairs of controls under window that take the focus, are shown, and overlap one another
// (one control's own parts aside), as "a b" by their object names.
inline QStringList OverlappingControls(QWidget& window) {
    QList<QWidget*> shown;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (w->isVisibleTo(&window) && w->focusPolicy() != Qt::NoFocus) shown << w;
    const auto area = [&window](QWidget* w) {
        return QRect(w->mapTo(&window, QPoint()), w->size());
    };
    QStringList overlapping;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (QWidget* b : shown.sliced(i + 1)) {
            QWidget* a = shown[i];
            if (!a->isAncestorOf(b) && !b->isAncestorOf(a) && area(a).intersects(area(b)))
                overlapping << a->objectName() + " " + b->objectName();
        }
    }
    return overlapping;
}

// The keys of window's mnemonics, sorted: those of the labels that lead to a control and those of
// the buttons. A key that stands twice reaches only one of its controls.
inline QString Mnemonics(QWidget& window) {
    QStringList keys;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy()) keys << QKeySequence::mnemonic(label->text()).toString();
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        keys << QKeySequence::mnemonic(button->text()).toString();
    keys.removeAll(QString());
    keys.sort();
    return keys.join(' ');
}
