#include "shell/app/UiTranslation.h"

#include "projectfile/SettingsAccessor.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstdlib>

static void initTranslationResources()
{
    Q_INIT_RESOURCE(shell_translations);
}

namespace {

const char kTranslatorName[] = "skinsmithTranslation";

} // namespace

platform::UiLanguage UiTranslation::choose(const std::string& explicitChoice,
                                           const std::string& settingsFile)
{
    const SettingsAccessor settings(settingsFile);
    return platform::chooseUiLanguage(explicitChoice,
                                      settings.readText("CONFIG", "UI_LANGUAGE", ""),
                                      [](const char* name) { return std::getenv(name); });
}

bool UiTranslation::install(QCoreApplication& application, platform::UiLanguage language)
{
    if (auto* previous = application.findChild<QTranslator*>(QLatin1String(kTranslatorName),
                                                             Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(previous);
        delete previous;
    }
    if (language == platform::UiLanguage::Chinese) {
        return true;
    }
    initTranslationResources();
    auto* translator = new QTranslator(&application);
    translator->setObjectName(QLatin1String(kTranslatorName));
    if (!translator->load(QStringLiteral(":/i18n/skinsmith_en.qm"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}
