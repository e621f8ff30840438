#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/text_art.h"

// The thumbnailer run as a file manager runs it, its PNG read back pixel by pixel.
class ThumbnailerTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  static int Run(int size, const std::string& input, const QString& output) {
    return QProcess::execute(KP_THUMBNAILER,
                             {QString::number(size), QString::fromStdString(input), output});
  }

 private slots:
  // Each kind at the size asked with the aspect kept and nothing blended; nothing written for a
  // file it cannot read or a place it cannot write to.
  void drawsWhatItCanAtTheSizeAskedAndNothingElse() {
    const QString output = folder_.filePath("thumbnail.png");
    for (const auto& [sample, size, width, height, grid] :  // the last with fewer pixels than dots
         {std::tuple{"kestrel_bird.nsl", 512, 505, 289, true},
          {"kestrel_bird.nsl", 128, 84, 48, false}, {"picture_wave.nlm", 512, 505, 197, true},
          {"picture_wave.nlm", 256, 216, 84, false}, {"operator_plover.nlm", 144, 144, 28, false},
          {"startup_sunrise.nlm", 256, 252, 144, false}, {"hello_frame.nsl", 42, 42, 24, false}}) {
      const std::filesystem::path file = test_support::SamplePath(sample);
      const auto art = test_support::SampleArt(file.stem().string());
      QCOMPARE(Run(size, file.string(), output), 0);
      const QImage image(output);
      QCOMPARE(image.size(), QSize(width, height));
      const int line = grid ? 1 : 0, pitch = (width - line) / int(art[0].size());
      test_support::Art dots = test_support::Blank(int(art[0].size()), int(art.size()));
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const QRgb at = image.pixel(x, y);
          if (grid && (x % pitch == 0 || y % pitch == 0)) {
            QCOMPARE(at, qRgb(120, 120, 120));
          } else {
            QVERIFY(at == qRgb(0, 0, 0) || at == qRgb(123, 189, 110));
          }
          if (pitch > 0 && (x - line) % pitch == pitch / 2 && (y - line) % pitch == pitch / 2) {
            const auto r = std::size_t((y - line) / pitch), c = std::size_t((x - line) / pitch);
            dots[r][c] = at == qRgb(0, 0, 0) ? '#' : '.';
          }
        }
      }
      if (pitch > 0) {
        QCOMPARE(dots, art);
      }
    }
    QFile file(folder_.filePath("short.nsl"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("FORM") == 4);
    file.close();
    QCOMPARE(Run(128, file.fileName().toStdString(), folder_.filePath("bad.png")), 1);
    QVERIFY(!QFile::exists(folder_.filePath("bad.png")));
    const std::string bird = test_support::SamplePath("kestrel_bird.nsl").string();
    QCOMPARE(Run(128, bird, folder_.filePath("no/a.png")), 1);
  }
};

QTEST_GUILESS_MAIN(ThumbnailerTest)
#include "thumbnailer_test.moc"
