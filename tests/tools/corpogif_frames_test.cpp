// `corpogif frames` against the composited frames that the public GIF suites expect.
//
// The suites compose on a transparent canvas; the viewer composes on its back colour. So
// a pixel that a suite expects fully transparent (never drawn, cleared by restore to
// background, or left by a transparent pixel over nothing) must show the back colour given
// with --background, and every other pixel must have the suite's colour. Two deliberate
// differences of the viewer are not compared:
//   - it shows every image as a frame of its own, each for its delay (delays of 0 raised to
//     100 ms), where one suite merges images without delay into the next displayed frame;
//   - it loops for ever, whatever loop count a file names: the tool writes one pass.
// And two where the viewer shows nothing at all (checked to be refused, not compared):
//   - a file without any image loads as no animation, where a suite expects one empty frame;
//   - a logical screen of 65535 pixels is -1 in the file's signed 16-bit field, so no
//     buffer can be made for it.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The back colour given to the tool: in none of the suites' pictures.
constexpr QRgb kBackground = 0xFF135779;
const char kBackgroundArgument[] = "135779";

const QStringList kNotShown = {"no-data", "max-width", "max-height"};

// Runs the tool; its exit code, or -1 when it did not finish. What it said goes to `said`.
int RunTool(const QString& gif, QTemporaryDir& out, QString* said = nullptr) {
    QProcess tool;
    tool.start(QStringLiteral(CORPOGIF_PATH),
               {"frames", gif, out.path(), "--background", kBackgroundArgument});
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit) return -1;
    if (said != nullptr) *said = QString::fromUtf8(tool.readAllStandardError());
    return tool.exitCode();
}

// The tool's frames, in order. A damaged file (a suite case of its own) exits 1 but must
// still get the frames that were read, and say that it is incomplete.
QList<QImage> RunFrames(const QString& gif, QTemporaryDir& out) {
    QString said;
    const int status = RunTool(gif, out, &said);
    if (status != 0 && !(status == 1 && said.contains(": incomplete: "))) {
        qWarning() << "corpogif exited with" << status << "on" << gif << said;
        return {};
    }
    QList<QImage> frames;
    for (int n = 1;; ++n) {
        const QString path = out.filePath(QString::asprintf("frame-%03d.png", n));
        if (!QFile::exists(path)) break;
        frames.append(QImage(path).convertToFormat(QImage::Format_ARGB32));
    }
    return frames;
}

// Empty when `ours` shows `expected` (straight RGBA): transparent means the back colour.
QString Difference(const QImage& ours, const QImage& expected) {
    if (ours.size() != expected.size()) {
        return QString("size %1 x %2, expected %3 x %4")
            .arg(ours.width())
            .arg(ours.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            const QRgb got = ours.pixel(x, y) | 0xFF000000;
            const QRgb shown = qAlpha(want) == 0 ? kBackground : (want | 0xFF000000);
            if (qAlpha(want) != 0 && qAlpha(want) != 255) return "partly transparent expectation";
            if (got != shown) {
                return QString("pixel %1,%2 is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(got, 8, 16)
                    .arg(shown, 8, 16);
            }
        }
    }
    return {};
}

// A raw top-down R, G, B, A picture.
QImage FromRgba(const QByteArray& bytes, int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    if (bytes.size() != width * height * 4) return {};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + (y * width + x) * 4;
            image.setPixel(x, y, qRgba(p[0], p[1], p[2], p[3]));
        }
    }
    return image;
}

// A picture in the NIE format: 8 magic bytes, width and height as 32-bit little-endian,
// then B, G, R, A bytes, rows top-down.
QImage FromNie(const QByteArray& bytes) {
    if (bytes.size() < 16) return {};
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const int width = p[8] | p[9] << 8 | p[10] << 16 | p[11] << 24;
    const int height = p[12] | p[13] << 8 | p[14] << 16 | p[15] << 24;
    QByteArray rgba = bytes.mid(16, width * height * 4);
    for (int i = 0; i + 3 < rgba.size(); i += 4)
        std::swap(rgba[i], rgba[i + 2]);
    return FromRgba(rgba, width, height);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class CorpogifFramesTest : public QObject {
    Q_OBJECT

  private slots:
    void pygifSuite_data() {
        QTest::addColumn<QString>("name");
        const QDir suite(QStringLiteral(TESTDATA_GIF_DIR "/pygif"));
        for (const QString& line : QString(ReadAll(suite.filePath("TESTS"))).split('\n')) {
            const QString name = line.trimmed();
            if (name.isEmpty()) continue;
            QSettings conf(suite.filePath(name + ".conf"), QSettings::IniFormat);
            if (conf.value("config/frames").toStringList().join("").isEmpty()) continue;
            QTest::newRow(name.toUtf8().constData()) << name;
        }
    }

    void pygifSuite() {
        QFETCH(QString, name);
        const QDir suite(QStringLiteral(TESTDATA_GIF_DIR "/pygif"));
        QSettings conf(suite.filePath(name + ".conf"), QSettings::IniFormat);
        const QStringList expected = conf.value("config/frames").toStringList();
        const int width = conf.value("config/width").toInt();
        const int height = conf.value("config/height").toInt();

        const QString gif = suite.filePath(conf.value("config/input").toString());
        QTemporaryDir out;
        if (kNotShown.contains(name)) {
            QCOMPARE(RunTool(gif, out), 1);
            QVERIFY(QDir(out.path()).isEmpty());
            return;
        }
        const QList<QImage> frames = RunFrames(gif, out);
        if (frames.size() > expected.size()) {
            QSKIP("the suite merges images without delay into one displayed frame");
        }
        QCOMPARE(frames.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const QString pixels = conf.value(expected[i] + "/pixels").toString();
            const QImage want = FromRgba(ReadAll(suite.filePath(pixels)), width, height);
            QVERIFY2(!want.isNull(), qPrintable(pixels));
            const QString difference = Difference(frames[i], want);
            QVERIFY2(difference.isEmpty(), qPrintable(expected[i] + ": " + difference));
            ++framesCompared_;
        }
    }

    void peterdnSuite_data() {
        QTest::addColumn<QString>("name");
        const QDir suite(QStringLiteral(TESTDATA_GIF_DIR "/peterdn"));
        for (const QString& gif : suite.entryList({"*.gif"}, QDir::Files, QDir::Name)) {
            QTest::newRow(gif.toUtf8().constData()) << gif.chopped(4);
        }
    }

    void peterdnSuite() {
        QFETCH(QString, name);
        const QDir suite(QStringLiteral(TESTDATA_GIF_DIR "/peterdn"));
        QTemporaryDir out;
        const QList<QImage> frames = RunFrames(suite.filePath(name + ".gif"), out);
        QStringList expected;
        if (QFile::exists(suite.filePath("frames/" + name + ".png"))) {
            expected << suite.filePath("frames/" + name + ".png");
        }
        for (int n = 0; QFile::exists(suite.filePath(QString("frames/%1-%2.png").arg(name).arg(n)));
             ++n) {
            expected << suite.filePath(QString("frames/%1-%2.png").arg(name).arg(n));
        }
        QCOMPARE(frames.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const QImage want(expected[i]);
            const QString difference =
                Difference(frames[i], want.convertToFormat(QImage::Format_ARGB32));
            QVERIFY2(difference.isEmpty(), qPrintable(expected[i] + ": " + difference));
            ++framesCompared_;
        }
    }

    // animated-red-blue names a loop count of 2; the viewer's tool writes one pass, and
    // the viewer itself goes on with frame 1 on a clean canvas.
    void wuffsAnimatedRedBlue() {
        const QDir suite(QStringLiteral(TESTDATA_GIF_DIR "/wuffs"));
        QTemporaryDir out;
        const QList<QImage> frames = RunFrames(suite.filePath("animated-red-blue.gif"), out);
        QCOMPARE(frames.size(), 4);
        for (int i = 0; i < 4; ++i) {
            const QString nie = suite.filePath(QString::asprintf("animated-red-blue.%06d.nie", i));
            const QString difference = Difference(frames[i], FromNie(ReadAll(nie)));
            QVERIFY2(difference.isEmpty(), qPrintable(nie + ": " + difference));
            ++framesCompared_;
        }
    }

    void cleanupTestCase() {
        // Guards against a suite that quietly stopped being compared.
        QVERIFY2(framesCompared_ >= 100, qPrintable(QString::number(framesCompared_)));
    }

  private:
    int framesCompared_ = 0;
};

QTEST_MAIN(CorpogifFramesTest)
#include "corpogif_frames_test.moc"
