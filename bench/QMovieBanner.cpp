// The yardstick for the banner's CPU use: the smallest Qt program that plays a GIF,
// QMovie in a QLabel, in a window of the given size.
//
//   qmovie-banner FILE [WIDTH HEIGHT]

#include <QApplication>
#include <QLabel>
#include <QMovie>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: qmovie-banner FILE [WIDTH HEIGHT]\n");
        return 2;
    }
    QMovie movie(QString::fromLocal8Bit(argv[1]));
    if (!movie.isValid()) {
        std::fprintf(stderr, "qmovie-banner: cannot read %s\n", argv[1]);
        return 1;
    }
    QLabel label;
    label.setWindowTitle("qmovie-banner");
    label.setAlignment(Qt::AlignCenter);
    label.setMovie(&movie);
    if (argc >= 4) label.setFixedSize(QString(argv[2]).toInt(), QString(argv[3]).toInt());
    label.show();
    movie.start();
    return app.exec();
}
