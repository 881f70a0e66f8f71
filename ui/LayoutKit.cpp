#include "ui/LayoutKit.h"

#include <QRegularExpressionValidator>

#include "sheets/FieldCaptions.h"

namespace quor {

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    QGroupBox* box = Place<QGroupBox>(parent, name, geometry);
    box->setTitle(caption);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                  bool rightAligned)
{
    QLabel* label = Place<QLabel>(parent, name, geometry);
    label->setText(caption);
    label->setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    // The window's font reaches a control through the style sheet when it is
    // polished; until then it would be measured in the desktop's font.
    label->ensurePolished();
    // A caption wider than its place grows away from the edge it is aligned to,
    // rather than losing letters.
    const int need = label->fontMetrics().horizontalAdvance(caption);
    if (need > geometry.width()) {
        if (rightAligned) {
            geometry.setLeft(geometry.right() + 1 - need);
        } else {
            geometry.setWidth(need);
        }
        label->setGeometry(geometry);
    }
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    QPushButton* button = Place<QPushButton>(parent, name, geometry);
    button->setText(caption);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    QCheckBox* box = Place<QCheckBox>(parent, name, geometry);
    box->setText(caption);
    return box;
}

QComboBox* MakeSelector(QWidget* parent, const char* name, QRect geometry, bool editable)
{
    QComboBox* sel = Place<QComboBox>(parent, name, geometry);
    sel->setEditable(editable);
    if (editable) {
        // Typed text stays what was typed: no completion, no new items.
        sel->setInsertPolicy(QComboBox::NoInsert);
        sel->setCompleter(nullptr);
    }
    sel->setMaxVisibleItems(20);
    return sel;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect geometry, int maxLength, bool digitsOnly)
{
    QLineEdit* edit = Place<QLineEdit>(parent, name, geometry);
    edit->setMaxLength(maxLength);
    if (digitsOnly) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    }
    return edit;
}

QProgressBar* MakeProgress(QWidget* parent, const char* name, QRect geometry)
{
    QProgressBar* bar = Place<QProgressBar>(parent, name, geometry);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->hide();
    return bar;
}

QString WordText(std::string_view word)
{
    return QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
}

QString FieldText(const SheetFieldRow& field)
{
    return WordText(FieldCaption(field));
}

QString GroupText(const SheetFieldRow& field)
{
    return WordText(GroupCaption(field));
}

QString MarkText(const SheetFieldRow& field)
{
    return WordText(MarkCaption(field));
}

}  // namespace quor
