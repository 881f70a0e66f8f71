#pragma once
// Controls placed at fixed pixel positions, the way the window's layout gives
// them: each gets its name as object name and the geometry of its container.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <string_view>

namespace quor {

struct SheetFieldRow;

template <class W> W* Place(QWidget* parent, const char* name, QRect geometry)
{
    W* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption, QRect geometry);
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                  bool rightAligned = false);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry);
QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, QRect geometry);
// A drop-down list; an editable one also takes typed text, kept as typed.
QComboBox* MakeSelector(QWidget* parent, const char* name, QRect geometry, bool editable = false);
QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect geometry, int maxLength,
                    bool digitsOnly = false);
// A word of the sheets (sheets/SheetWords.h) as a caption.
QString WordText(std::string_view word);
// The captions a field's row gives (sheets/FieldCaptions.h): its control's
// ("Rygiel:"), its group box's (" Wyjścia ") and its box's ("NC").
QString FieldText(const SheetFieldRow& field);
QString GroupText(const SheetFieldRow& field);
QString MarkText(const SheetFieldRow& field);

// Hidden until a write runs; 0 to 100.
QProgressBar* MakeProgress(QWidget* parent, const char* name, QRect geometry);

}  // namespace quor
