// A window with a number field and a button: the button opens the Brix
// calculator with the field's number, and when the calculator is closed with
// its exit key (F10 or Ctrl+X) the result goes back into the field. Closed
// with Escape, the field keeps its number.
#include <brix/calcwindows/calculators.h>
#include <brix/strings/tools.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    QWidget Window;
    Window.setWindowTitle(QStringLiteral("Brix calculator example"));
    auto *Edit = new QLineEdit(QStringLiteral("12"), &Window);
    auto *Button = new QPushButton(QStringLiteral("Calculator..."), &Window);
    auto *Layout = new QHBoxLayout(&Window);
    Layout->addWidget(Edit);
    Layout->addWidget(Button);

    auto Calculator = Brix::CreateOwned<Brix::TBrixCalculator>(nullptr);
    QObject::connect(Button, &QPushButton::clicked, &Window, [&] {
        Calculator->SetValue(Brix::TextToFloatOrZero(Edit->text()));
        if (Calculator->Execute())
            Edit->setText(Calculator->ValueDisplayed());
    });

    Window.show();
    return App.exec();
}
