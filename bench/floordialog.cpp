// The floor of the start-up benchmark: a minimal Qt dialog with a display and
// a few buttons, built like the calculator (same compiler flags, same Qt), so
// the ratio shows what the calculator adds on top of Qt itself.
#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    QDialog Dialog;
    Dialog.setWindowTitle(QStringLiteral("Floor dialog"));
    auto *Grid = new QGridLayout(&Dialog);
    auto *Display = new QLabel(QStringLiteral("0"));
    Display->setAlignment(Qt::AlignRight);
    Display->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Grid->addWidget(Display, 0, 0, 1, 3);
    const char *Keys[] = {"7", "8", "9", "4", "5", "6", "1", "2", "3"};
    for (int I = 0; I < 9; ++I)
        Grid->addWidget(new QPushButton(QString::fromLatin1(Keys[I])), 1 + I / 3, I % 3);
    return Dialog.exec();
}
