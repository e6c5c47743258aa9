// A probe that the end-to-end scripts load into the program (LD_PRELOAD) to
// find a shown widget or menu entry by its object name: the accessibility
// bus of this Qt carries no object names, and a caption or a position
// changes with the language and the layout. The script then clicks there
// with real X input, so the program is driven as a person drives it.
//
// With LUMO_E2E_PROBE=<socket path> set, the probe listens on that local
// socket. A client writes a request and a newline and reads one line:
//   <name>         "x y", the middle of the shown object in screen
//                  coordinates; an empty line when no shown object has that
//                  name; "several" when more than one has.
//   rows <name>    the rows of the shown item view with that name, as screen
//                  readers name them (else as shown), joined by "|"; an empty
//                  line when none is shown.
//   row <name> <n> "x y", the middle of row n of that view (from 0).
//   text <name>    the text (the "text" property) of the one shown widget
//                  with that name; an empty line when there is none.
//   focus          the object name of the widget with the keyboard focus.
//   focustext      the text (the "text" property) of the widget with the
//                  keyboard focus, such as an open editor.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace {

// The middles of the shown objects named Name: widgets, and the entries of
// open menus.
std::vector<QPoint> Find(const QString &Name)
{
    std::vector<QPoint> Found;
    for (QWidget *Window : QApplication::topLevelWidgets()) {
        if (!Window->isVisible())
            continue;
        if (auto *Menu = qobject_cast<QMenu *>(Window)) {
            for (QAction *Action : Menu->actions()) {
                const QRect Place = Menu->actionGeometry(Action);
                if (Action->objectName() == Name && Action->isVisible() && !Place.isEmpty())
                    Found.push_back(Menu->mapToGlobal(Place.center()));
            }
        }
        QList<QWidget *> Widgets = Window->findChildren<QWidget *>(Name);
        if (Window->objectName() == Name)
            Widgets.prepend(Window);
        for (QWidget *W : Widgets)
            if (W->isVisible() && W->window() == Window) // not the widgets of its own windows
                Found.push_back(W->mapToGlobal(W->rect().center()));
    }
    return Found;
}

// The one shown item view named Name, or nullptr.
QAbstractItemView *ShownView(const QString &Name)
{
    QAbstractItemView *Found = nullptr;
    for (QWidget *Window : QApplication::topLevelWidgets())
        for (auto *View : Window->findChildren<QAbstractItemView *>(Name))
            if (View->isVisible() && View->window() == Window) {
                if (Found)
                    return nullptr;
                Found = View;
            }
    return Found;
}

QByteArray Rows(const QString &Name)
{
    const QAbstractItemView *View = ShownView(Name);
    if (!View || !View->model())
        return "\n";
    QStringList Names;
    const QAbstractItemModel &Model = *View->model();
    for (int Row = 0; Row < Model.rowCount(View->rootIndex()); ++Row) {
        const QModelIndex Index = Model.index(Row, 0, View->rootIndex());
        QString Text = Index.data(Qt::AccessibleTextRole).toString();
        if (Text.isEmpty())
            Text = Index.data(Qt::DisplayRole).toString();
        Names << Text.simplified();
    }
    return Names.join(u'|').toUtf8() + '\n';
}

QByteArray RowPlace(const QString &Name, int Row)
{
    QAbstractItemView *View = ShownView(Name);
    if (!View || !View->model())
        return "\n";
    const QRect Place = View->visualRect(View->model()->index(Row, 0, View->rootIndex()));
    if (Place.isEmpty())
        return "\n";
    const QPoint At = View->viewport()->mapToGlobal(Place.center());
    return QByteArray::number(At.x()) + ' ' + QByteArray::number(At.y()) + '\n';
}

QByteArray Answer(const QString &Request)
{
    const QStringList Words = Request.split(u' ', Qt::SkipEmptyParts);
    if (Words.size() == 1 && Words[0] == QLatin1String("focus")) {
        const QWidget *Focus = QApplication::focusWidget();
        return (Focus ? Focus->objectName().toUtf8() : QByteArray()) + '\n';
    }
    if (Words.size() == 1 && Words[0] == QLatin1String("focustext")) {
        const QWidget *Focus = QApplication::focusWidget();
        return (Focus ? Focus->property("text").toString().toUtf8() : QByteArray()) + '\n';
    }
    if (Words.size() == 2 && Words[0] == QLatin1String("text")) {
        QList<QWidget *> Found;
        for (QWidget *Window : QApplication::topLevelWidgets())
            for (QWidget *W : Window->findChildren<QWidget *>(Words[1]))
                if (W->isVisible() && W->window() == Window)
                    Found << W;
        return (Found.size() == 1 ? Found[0]->property("text").toString().simplified().toUtf8()
                                  : QByteArray()) +
               '\n';
    }
    if (Words.size() == 2 && Words[0] == QLatin1String("rows"))
        return Rows(Words[1]);
    if (Words.size() == 3 && Words[0] == QLatin1String("row"))
        return RowPlace(Words[1], Words[2].toInt());
    const QString &Name = Request;
    const std::vector<QPoint> Found = Find(Name);
    if (Found.empty())
        return "\n";
    if (Found.size() > 1)
        return "several\n";
    return QByteArray::number(Found[0].x()) + ' ' + QByteArray::number(Found[0].y()) + '\n';
}

void Listen()
{
    const QString Path = qEnvironmentVariable("LUMO_E2E_PROBE");
    if (Path.isEmpty())
        return;
    // Once the event loop runs: the application is then made.
    QTimer::singleShot(0, qApp, [Path] {
        auto *Server = new QLocalServer(qApp);
        QLocalServer::removeServer(Path);
        if (!Server->listen(Path)) {
            qWarning("e2e probe: cannot listen on %s", qPrintable(Path));
            return;
        }
        QObject::connect(Server, &QLocalServer::newConnection, Server, [Server] {
            while (QLocalSocket *Client = Server->nextPendingConnection()) {
                QObject::connect(Client, &QLocalSocket::disconnected, Client,
                                 &QObject::deleteLater);
                QObject::connect(Client, &QLocalSocket::readyRead, Client, [Client] {
                    if (!Client->canReadLine())
                        return;
                    Client->write(Answer(QString::fromUtf8(Client->readLine().trimmed())));
                    Client->flush();
                    Client->disconnectFromServer();
                });
            }
        });
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Listen)
