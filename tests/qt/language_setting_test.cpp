#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <string>

#include "shell/qt/language_setting.h"

// The setting is read from $XDG_CONFIG_HOME/IconJAR.conf and never written.
class LanguageSettingTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_home_;

  QString ConfigFile() const { return config_home_.filePath(QStringLiteral("IconJAR.conf")); }

  void WriteConfig(const QByteArray& text) {
    QFile file(ConfigFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
  }

  // Each case gets a fresh folder, as the settings reader caches what it has read per file.
  std::optional<std::string> ReadFrom(const QByteArray& text) {
    QTemporaryDir home;
    QFile file(home.filePath(QStringLiteral("IconJAR.conf")));
    if (!file.open(QIODevice::WriteOnly)) {
      return "cannot write";
    }
    file.write(text);
    file.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    return shell::ReadLanguageSetting();
  }

 private slots:
  void initTestCase() {
    QVERIFY(config_home_.isValid());
    // Set before the first settings object exists, so the reader looks there.
    qputenv("XDG_CONFIG_HOME", config_home_.path().toLocal8Bit());
  }

  void readsTheUsersConfigFolderAndWritesNothing() {
    QCOMPARE(shell::ReadLanguageSetting(), std::nullopt);
    QVERIFY(QDir(config_home_.path()).isEmpty());  // nothing created for an absent setting

    WriteConfig("[Options]\nLang=en\n");
    const QDateTime written = QFileInfo(ConfigFile()).lastModified();
    QCOMPARE(shell::ReadLanguageSetting(), std::optional<std::string>("en"));
    QCOMPARE(QFileInfo(ConfigFile()).lastModified(), written);
    QFile file(ConfigFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[Options]\nLang=en\n"));
  }

  void distinguishesAnEmptyValueFromAnAbsentOne() {
    QCOMPARE(ReadFrom("[Options]\nLang=\n"), std::optional<std::string>(""));
    QCOMPARE(ReadFrom("[Options]\nOther=en\n"), std::nullopt);
    QCOMPARE(ReadFrom("[Elsewhere]\nLang=en\n"), std::nullopt);
    QCOMPARE(ReadFrom("not an ini file at all\n"), std::nullopt);
  }

  void keepsTheValueAsItIsStored() {
    QCOMPARE(ReadFrom("[Options]\nLang=en-GB\n"), std::optional<std::string>("en-GB"));
    QCOMPARE(ReadFrom("[Options]\nLang=EN\n"), std::optional<std::string>("EN"));
    QCOMPARE(ReadFrom("[Options]\nLang=en,pl\n"), std::optional<std::string>("en,pl"));
    QCOMPARE(ReadFrom("[Options]\nLang=pl\n"), std::optional<std::string>("pl"));
  }
};

QTEST_GUILESS_MAIN(LanguageSettingTest)
#include "language_setting_test.moc"
