#include "ui/mainform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "imagelib/drawmessage.h"
#include "imagelib/imagelib.h"
#include "ui/artwork.h"
#include "ui/progresspanel.h"

namespace tessora {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kelvara Tessora 1.0"));
    setWindowIcon(ProgramIcon());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setAcceptDrops(true);
    // The drawing routine's rare messages: no caption of their own, just OK.
    setDrawMessageHandler([](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok);
        box.exec();
    });
    buildWindow();
    resize(764, 541);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

void TMainForm::buildWindow() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    PageControl2 = new QTabWidget;
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    struct Tab {
        QWidget* (TMainForm::*build)();
        const char* caption;
        int icon;
    };
    const Tab tabs[] = {{&TMainForm::buildLoadPage, "Motiv laden", 0},
                        {&TMainForm::buildSizePage, "Größe", 1},
                        {&TMainForm::buildColorPage, "Farben", 2},
                        {&TMainForm::buildRenderPage, "Berechnen", 4},
                        {&TMainForm::buildResultPage, "Ergebnis verarbeiten", 3},
                        {&TMainForm::buildStatisticsPage, "Statistik", 5}};
    for (const Tab& tab : tabs) {
        PageControl2->addTab((this->*tab.build)(), TabIcon(tab.icon),
                             QString::fromUtf8(tab.caption));
    }
    connect(PageControl2, &QTabWidget::currentChanged, this, [this] { PageControl2Change(); });
    layout->addWidget(PageControl2, 1);
    layout->addWidget(buildBottomBar());
    setCentralWidget(central);
    buildStatusBar();
}

void TMainForm::buildStatusBar() {
    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19);
    StatusBar1->setSizeGripEnabled(false);
    auto* panel0 = new QWidget;
    panel0->setFixedWidth(250);
    progressPanel = new ProgressPanel;
    progressPanel->setFixedWidth(50);
    progressPanel->onDraw = [this](QPainter& canvas, const QRect& rect) {
        StatusBar1DrawPanel(canvas, rect);
    };
    StatusBar1->addWidget(panel0);
    StatusBar1->addWidget(progressPanel);
    setStatusBar(StatusBar1);
}

void TMainForm::FormCreate() {
    progpath = QCoreApplication::applicationDirPath();
    if (!progpath.endsWith(u'/')) progpath += u'/';
    SetOpenFilter(GetDIBOpenFilter());
    SelectFolder(progpath);
    ShowEngineError(createStartImages(*this));
    ShowPictureInfo();
    maschenedChange();
    pal = StartPalette();
    RenderDib();
    CheckListBox1->clear();
    for (int i = 0; i < kBeadColorCount; ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(BeadItemText(i)), CheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    RenderBtnClick();
}

void TMainForm::FormDestroy() {
    FreeDocument(*this);
}

std::array<bool, 64> TMainForm::SelectedColors() const {
    std::array<bool, 64> selected{};
    for (int i = 0; i < kBeadColorCount && i < CheckListBox1->count(); ++i) {
        selected[i] = CheckListBox1->item(i)->checkState() == Qt::Checked;
    }
    return selected;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    // A dropped picture is loaded as if double-clicked in the file list.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            openfilenow(url.toLocalFile());
            return;
        }
    }
}

bool TMainForm::FormCloseQuery() {
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("Programm beenden"),
        QStringLiteral(
            "Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen verloren!"),
        QMessageBox::Ok | QMessageBox::Cancel, this);
    return box.exec() == QMessageBox::Ok;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace tessora
