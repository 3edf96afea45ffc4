// Saves the whole X screen as a PNG file: the pictures of the program as a window
// manager shows it (scripts/screenshots_desktop.sh), which an offscreen grab cannot give.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <iostream>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: screen_grab FILE.png (on the display to grab)\n";
    return 2;
  }
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 1;
  const QString file = QString::fromLocal8Bit(argv[1]);
  if (!screen->grabWindow(0).save(file)) {
    std::cerr << "cannot write " << file.toStdString() << "\n";
    return 1;
  }
  std::cout << file.toStdString() << "\n";
  return 0;
}
