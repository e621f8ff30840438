#include "shell/qt/language_setting.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace shell {

namespace {

std::optional<std::string> ReadValue(const QSettings& settings, const QString& key) {
  if (!settings.contains(key)) {
    return std::nullopt;
  }
  const QVariant value = settings.value(key);
  // The INI reader turns an unquoted comma into a list; the setting is one text.
  const QString text = value.typeId() == QMetaType::QStringList
                           ? value.toStringList().join(QLatin1Char(','))
                           : value.toString();
  return text.toStdString();
}

}  // namespace

std::optional<std::string> ReadLanguageSetting() {
#ifdef Q_OS_WIN
  // Where programs of this family keep their settings in the registry.
  const QSettings settings(
      QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\IconJAR\\Options"),
      QSettings::NativeFormat);
  return ReadValue(settings, QStringLiteral("Lang"));
#else
  // $XDG_CONFIG_HOME/IconJAR.conf, section [Options].
  const QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QStringLiteral("IconJAR"));
  return ReadValue(settings, QStringLiteral("Options/Lang"));
#endif
}

}  // namespace shell
