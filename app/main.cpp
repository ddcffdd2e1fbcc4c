// Program block of the configurator.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget mainWindow;
  mainWindow.setWindowTitle(QStringLiteral("Tarvix - Configurator ZIDI - OPC UA Server / Modbus Master "));
  mainWindow.resize(800, 600);
  mainWindow.show();
  return app.exec();
}
