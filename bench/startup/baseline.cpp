// The yardstick for Kavrilon's start-up time and memory: a minimal Qt Widgets
// program of about the same size on screen, with a menu bar of a few menus, a
// few dozen buttons, a list and a text box, and nothing behind them. It does
// what any such program must do before its window shows, and no more.
//
// With "--tick-ms N" it also runs a timer every N ms that sets a label to the
// text it already shows, the least a periodic handler can cost in Qt; the
// idle benchmark compares Kavrilon's 100 ms counter refresh against it.
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    for (int m = 0; m < 5; ++m) {
        QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Menu %1").arg(m + 1));
        for (int i = 0; i < 8; ++i)
            menu->addAction(QStringLiteral("Item %1.%2").arg(m + 1).arg(i + 1));
    }

    auto* central = new QWidget(&window);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);
    constexpr int kColumns = 8;
    constexpr int kButtons = 32;
    for (int i = 0; i < kButtons; ++i)
        grid->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i + 1), central), i / kColumns, i % kColumns);
    auto* list = new QListWidget(central);
    for (int i = 0; i < 20; ++i)
        list->addItem(QStringLiteral("Line %1").arg(i + 1));
    grid->addWidget(list, kButtons / kColumns, 0, 1, kColumns / 2);
    grid->addWidget(new QLineEdit(central), kButtons / kColumns, kColumns / 2, 1, kColumns / 2);
    auto* counter = new QLabel(QStringLiteral("Count: 3"), central);
    grid->addWidget(counter, kButtons / kColumns + 1, 0, 1, kColumns);
    window.setCentralWidget(central);

    QTimer tick;
    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--tick-ms"));
    if (at >= 0 && at + 1 < args.size()) {
        QObject::connect(&tick, &QTimer::timeout, counter,
                         [counter] { counter->setText(QStringLiteral("Count: ") + QString::number(3)); });
        tick.setTimerType(Qt::PreciseTimer);
        tick.start(args.at(at + 1).toInt());
    }

    window.resize(697, 239);
    window.move(144, 141);
    window.show();
    return QApplication::exec();
}
