#include "ui/QtPolish.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quor {

bool LoadQtPolish(QTranslator& translator)
{
    if (!translator.load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace quor
