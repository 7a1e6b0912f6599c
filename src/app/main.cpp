#include "app/VolantorApp.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // QApplication adopts the system locale; the recorder reader and the
    // scenery writers expect '.' as the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    CVolantorApp volantor;
    if (!volantor.InitInstance(QApplication::arguments()))
        return 1;
    return QApplication::exec();
}
