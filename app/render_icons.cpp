// Writes the program's icon: the wizard's decorative picture, drawn by the wizard's own
// code at each size asked for.
//   kalvex-icons FOLDER SIZE...    writes FOLDER/<SIZE>x<SIZE>/kalvex.png for each SIZE
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QStringList>
#include <iostream>

#include "app/artwork.h"

int main(int argc, char** argv) {
    // A pixmap needs the application object; the build runs it on the offscreen platform.
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::cerr << "usage: kalvex-icons FOLDER SIZE...\n";
        return 2;
    }
    for (const QString& word : arguments.mid(2)) {
        bool isNumber = false;
        const int size = word.toInt(&isNumber);
        if (!isNumber || size <= 0) {
            std::cerr << "not a size: " << word.toStdString() << '\n';
            return 2;
        }
        const QString folder = arguments[1] + '/' + word + 'x' + word;
        const QString file = folder + "/kalvex.png";
        if (!QDir().mkpath(folder) ||
            !kalvex::app::decorativePicture(QSize(size, size)).save(file, "PNG")) {
            std::cerr << "cannot write " << file.toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}
