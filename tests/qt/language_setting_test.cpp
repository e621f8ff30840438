#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "shell/qt/language_setting.h"

using Setting = std::optional<std::string>;

// The setting is read from $XDG_CONFIG_HOME/IconJAR.conf and never written.
class LanguageSettingTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_home_;

  // What is read from a config file of that text in the folder, and whether the file stays as
  // it was.
  static std::pair<Setting, bool> ReadFrom(const QString& folder, const QByteArray& text) {
    QFile file(folder + "/IconJAR.conf");
    const bool written = file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    file.close();
    const QDateTime when = QFileInfo(file).lastModified();
    const Setting setting = shell::ReadLanguageSetting();
    return {setting, written && QFileInfo(file).lastModified() == when &&
                         file.open(QIODevice::ReadOnly) && file.readAll() == text};
  }

 private slots:
  // As stored, an empty value apart from none, and nothing written.
  void readsTheUsersConfigFolderAsStoredAndWritesNothing() {
    // Set before the first settings object exists, so that the reader looks there.
    qputenv("XDG_CONFIG_HOME", config_home_.path().toLocal8Bit());
    QCOMPARE(shell::ReadLanguageSetting(), std::nullopt);
    QVERIFY(QDir(config_home_.path()).isEmpty());  // nothing created for an absent setting
    QCOMPARE(ReadFrom(config_home_.path(), "[Options]\nLang=en\n"), std::pair(Setting("en"), true));
    for (const auto& [text, setting] : std::vector<std::pair<QByteArray, Setting>>{
             {"[Options]\nLang=\n", ""}, {"[Options]\nLang=en-GB\n", "en-GB"},
             {"[Options]\nLang=EN\n", "EN"}, {"[Options]\nLang=en,pl\n", "en,pl"},
             {"[Options]\nOther=en\n", {}}, {"[Elsewhere]\nLang=en\n", {}},
             {"not an ini file\n", {}}}) {
      QTemporaryDir home;  // a folder each: the reader keeps what it has read of a file
      QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
      QCOMPARE(ReadFrom(home.path(), text), std::pair(setting, true));
    }
  }
};

QTEST_GUILESS_MAIN(LanguageSettingTest)
#include "language_setting_test.moc"
