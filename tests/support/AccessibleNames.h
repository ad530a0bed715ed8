#pragma once

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
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
