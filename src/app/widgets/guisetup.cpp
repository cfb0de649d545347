#include "guisetup.h"

#include "controls/widgets/inputmethodguard.h"
#include "controls/widgets/wheelguard.h"
#include "controls/widgets/windowfit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vendara {

void setUpGui(QApplication &application)
{
    installJapaneseQtTexts(application);
    installWheelGuard();
    installWindowFit();
    installInputMethodGuard();
}

bool installJapaneseQtTexts(QCoreApplication &application)
{
    auto *translator = new QTranslator(&application);
    // qtbase_ja holds the texts of Qt Core, Gui and Widgets.
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace vendara
