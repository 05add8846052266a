// The least a Qt Widgets program does to show a picture in a window with a
// menu bar: the floor under the viewer's start-up time, which start-time.sh
// measures beside the viewer. Usage: bench_qt_window_floor BITMAP
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QMainWindow window;
    for (const char* menu : {"&File", "&Edit", "Boo&kmark", "Favori&te", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(menu));
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(QImage(QString::fromLocal8Bit(argv[1]))));
    window.setCentralWidget(picture);
    window.setWindowTitle(QStringLiteral("Qt window floor"));
    window.show();
    return QApplication::exec();
}
