#pragma once
// Qt's own texts in Polish: the file dialog, the standard buttons.

class QTranslator;

namespace quor {

// Loads qtbase_pl from the system's Qt translations (Debian's
// qt6-translations-l10n) into translator and installs it. False when the file
// is missing: Qt's texts then stay in English, and nothing else changes.
bool LoadQtPolish(QTranslator& translator);

}  // namespace quor
