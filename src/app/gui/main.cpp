#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Система регистрации автомобильных параметров");
    QMainWindow w;
    w.setWindowTitle("Система регистрации параметров автомобилей");
    w.show();
    return app.exec();
}
