#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "support/text_art.h"

namespace fs = std::filesystem;

// The thumbnailer run as a file manager runs it, its PNG read back pixel by pixel.
class ThumbnailerTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  int Run(int size, const fs::path& input, const QString& output) {
    return QProcess::execute(
        QStringLiteral(KP_THUMBNAILER),
        {QString::number(size), QString::fromStdString(input.string()), output});
  }
  static std::vector<std::string> Art(const char* name) {
    return test_support::ArtFromPicture(
        test_support::PictureFromArtFile(fs::path(KP_OWN_SAMPLES_DIR) / "art" / name));
  }
  // The dots of a thumbnail whose cells are `pitch` pixels, sampled at each cell's middle.
  static std::vector<std::string> Dots(const QImage& image, int width, int height, double pitch,
                                       int offset) {
    std::vector<std::string> rows;
    for (int r = 0; r < height; ++r) {
      std::string row;
      for (int c = 0; c < width; ++c) {
        const QColor at = image.pixelColor(static_cast<int>(offset + (c + 0.5) * pitch),
                                           static_cast<int>(offset + (r + 0.5) * pitch));
        row += at == QColor(0, 0, 0) ? '#' : '.';
      }
      rows.push_back(row);
    }
    return rows;
  }

 private slots:
  void drawsEachKindAtTheSizeAskedWithTheAspectKept() {
    struct Case {
      const char* sample;
      const char* art;
      int size, width, height;
      int image_width, image_height;
      bool grid;
    };
    const fs::path samples = KP_OWN_SAMPLES_DIR;
    for (const Case& c :
         {Case{"kestrel_bird.nsl", "kestrel_bird.txt", 512, 84, 48, 505, 289, true},
          Case{"kestrel_bird.nsl", "kestrel_bird.txt", 128, 84, 48, 84, 48, false},
          Case{"picture_wave.nlm", "picture_wave.txt", 512, 72, 28, 505, 197, true},
          Case{"picture_wave.nlm", "picture_wave.txt", 256, 72, 28, 216, 84, false},
          Case{"operator_plover.nlm", "operator_plover.txt", 144, 72, 14, 144, 28, false},
          Case{"startup_sunrise.nlm", "startup_sunrise.txt", 256, 84, 48, 252, 144, false}}) {
      const QString output = folder_.filePath(QStringLiteral("thumbnail.png"));
      QCOMPARE(Run(c.size, samples / c.sample, output), 0);
      const QImage image(output);
      QCOMPARE(image.size(), QSize(c.image_width, c.image_height));
      const int pitch = (c.image_width - (c.grid ? 1 : 0)) / c.width;
      QCOMPARE(Dots(image, c.width, c.height, pitch, c.grid ? 1 : 0), Art(c.art));
      const QColor corner = image.pixelColor(0, image.height() - 1);
      QVERIFY(corner == (c.grid ? QColor(120, 120, 120) : QColor(0, 0, 0)) ||
              corner == QColor(123, 189, 110));
    }
  }

  void aSizeBelowTheLogoScalesItDownWithoutSmoothing() {
    const QString output = folder_.filePath(QStringLiteral("small.png"));
    QCOMPARE(Run(42, fs::path(KP_OWN_SAMPLES_DIR) / "hello_frame.nsl", output), 0);
    const QImage image(output);
    QCOMPARE(image.size(), QSize(42, 24));
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor at = image.pixelColor(x, y);
        QVERIFY(at == QColor(0, 0, 0) || at == QColor(123, 189, 110));  // nothing blended
      }
    }
  }

  void aFileItCannotReadOrAPlaceItCannotWriteGivesNoThumbnail() {
    const fs::path bad = fs::path(folder_.path().toStdString()) / "short.nsl";
    QFile file(QString::fromStdString(bad.string()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("FORM");
    file.close();
    const QString output = folder_.filePath(QStringLiteral("bad.png"));
    QVERIFY(Run(128, bad, output) != 0);
    QVERIFY(!QFile::exists(output));
    const QString nowhere = folder_.filePath(QStringLiteral("missing/out.png"));
    QVERIFY(Run(128, fs::path(KP_OWN_SAMPLES_DIR) / "kestrel_bird.nsl", nowhere) != 0);
    QVERIFY(!QFile::exists(nowhere));
  }
};

QTEST_GUILESS_MAIN(ThumbnailerTest)
#include "thumbnailer_test.moc"
