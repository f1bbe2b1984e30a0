// The window's shell: the process-wide objects of its unit, construction and lifetime, window
// events, the knob wiring, the polling timers, device status, meters, clock source, page
// navigation, help links and window actions, fonts and the graph slots.
#include "FormRuntime.h"
#include "MainWindow.h"
#include "UpdateSoftware.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QSettings>
#include <QStyle>
#include <QUrl>

#include <algorithm>

clockInputHz wordClockHz;
clockInputHz opticalAClockHz;
clockInputHz opticalBClockHz;

const QString settingFile[11] = {
    QStringLiteral("/KX-Pelvo_Tarvik_Setting"), QStringLiteral("/KX-Pelvo_Tarvik_sm1"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm2"),     QStringLiteral("/KX-Pelvo_Tarvik_sm3"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm4"),     QStringLiteral("/KX-Pelvo_Tarvik_sm5"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm6"),     QStringLiteral("/KX-Pelvo_Tarvik_sm7"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm8"),     QStringLiteral("/KX-Pelvo_Tarvik_sm9"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm10")};

unsigned char shiftKeyDown = 0;

namespace {

const QString kBlack18 =
    QStringLiteral("QLabel{color : black; font-size: 18px; font-family: Arial}");
const QString kRed18 = QStringLiteral("QLabel{color : red; font-size: 18px; font-family: Arial}");
const QString kGray18 = QStringLiteral("QLabel{color : gray; font-size: 18px; font-family: Arial}");
const QString kGray20 = QStringLiteral("QLabel{color : gray; font-size: 20px; font-family: Arial}");
const QString kBlack20 =
    QStringLiteral("QLabel{color : black; font-size: 20px; font-family: Arial}");
const QString kNoDevice = QStringLiteral("No Device");
const QString kDashes = QStringLiteral("----------");
const QString kMismatch = QStringLiteral("Sample Rate Mismatch");
const QString kGood = QStringLiteral("Good");
const QString kUnlocked = QStringLiteral("Unlocked (or No Signal)");

const QString kValueLabelSheet = QStringLiteral("QLabel{color: rgb(255, 170, 0); font-size:11px}");
const QString kNameFieldFirstSheet =
    QStringLiteral("QLineEdit{background-image: url(:/Resource/trans.png); color: rgb(255, 170, "
                   "0); font-size:12px; font-style:bold}");
const QString kFaderDisplaySheet =
    QStringLiteral("QDoubleSpinBox{color: rgb(255, 170, 0); font-size:11px}");
const QString kNameFieldFinalSheet = QStringLiteral(
    "QLineEdit{background-image:url(:/Resource/trans.png); color:rgb(255,170,0); "
    "font-size:15px; font-family:Arial;}QToolTip{background-image:url(:/Resource/trans.png)}");

// Host of the maker's product pages; the path below it is fixed.
const char *const kProductSite = "https://www.morvex.example";

// Source names by clock source code; `other` for codes outside the list.
QString sourceName(kxmsg_data_clocksource_t src, const QString &other) {
    switch (src) {
    case KXMSG_DATA_CLOCKSOURCE_INTERNAL:
        return QStringLiteral("Internal");
    case KXMSG_DATA_CLOCKSOURCE_WORDCLOCK:
        return QStringLiteral("Word");
    case KXMSG_DATA_CLOCKSOURCE_OPTICAL_A:
        return QStringLiteral("Optical A");
    case KXMSG_DATA_CLOCKSOURCE_OPTICAL_B:
        return QStringLiteral("Optical B");
    }
    return other;
}

QString lockText(kxmsg_data_clocklock_t lock) {
    switch (lock) {
    case KXMSG_DATA_CLOCKLOCK_UNLOCKED:
        return kUnlocked;
    case KXMSG_DATA_CLOCKLOCK_PHASE_ERROR:
        return QStringLiteral("Phase Error");
    case KXMSG_DATA_CLOCKLOCK_LOCKED:
        return kGood;
    }
    return QStringLiteral(": UNKNOWN");
}

// Sample rates the unit reports, with their label text and strip band.
struct RateRow {
    unsigned int hz;
    const char *text;
    unsigned char band;
};
constexpr RateRow kRates[] = {{44100, "44.1kHz", 1},   {48000, "48kHz", 1},
                              {88200, "88.2kHz", 2},   {96000, "96kHz", 2},
                              {176400, "176.4kHz", 4}, {192000, "192kHz", 4}};

// Status labels are written on every poll answer: only a real change may restyle or repaint.
void setLabel(QLabel *label, const QString &sheet, const QString &text) {
    if (label->styleSheet() != sheet)
        label->setStyleSheet(sheet);
    if (label->text() != text)
        label->setText(text);
}
void setSheet(QLabel *label, const QString &sheet) {
    if (label->styleSheet() != sheet)
        label->setStyleSheet(sheet);
}
void setText(QLabel *label, const QString &text) {
    if (label->text() != text)
        label->setText(text);
}

// Where a picture label puts its picture, as QLabel and the style place it: aligned in the
// contents less the margin (*aligned), and the part of it inside them (returned); empty for a
// label that shows anything else.
QRect pictureRect(const QLabel *label, const QPixmap &picture, QRect *aligned = nullptr) {
    if (picture.isNull() || label->hasScaledContents() || !label->text().isEmpty())
        return QRect();
    const int m = label->margin();
    const QRect contents = label->contentsRect().adjusted(m, m, -m, -m);
    const QRect at =
        QStyle::alignedRect(QGuiApplication::layoutDirection(),
                            QStyle::visualAlignment(label->layoutDirection(), label->alignment()),
                            picture.size() / picture.devicePixelRatio(), contents);
    if (aligned)
        *aligned = at;
    return at & contents;
}

// Paints a meter bar as QLabel paints an enabled picture label without a frame, minus the style
// machinery around it: the bar is opaque (no background is drawn beneath it) and its frame
// draws nothing, so the picture is all there is. The bars are most of what a meter tick paints.
class MeterBarPainter : public QObject {
public:
    explicit MeterBarPainter(QObject *parent) : QObject(parent) {
        setObjectName(QStringLiteral("meterBarPainter"));
    }
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::Paint)
            return false;
        auto *bar = static_cast<QLabel *>(watched);
        if (!bar->isEnabled() || bar->frameShape() != QFrame::NoFrame ||
            !bar->testAttribute(Qt::WA_OpaquePaintEvent))
            return false;
        const QPixmap picture = bar->pixmap(Qt::ReturnByValue);
        QRect aligned;
        const QRect shown = pictureRect(bar, picture, &aligned);
        if (shown.isEmpty())
            return false;
        const qreal scale = picture.devicePixelRatio();
        QPainter painter(bar);
        painter.drawPixmap(shown.x(), shown.y(), picture, shown.x() - aligned.x(),
                           shown.y() - aligned.y(), qRound(shown.width() * scale),
                           qRound(shown.height() * scale));
        return true;
    }
};

// A strip's picture covers it but for a band above and below: opaque where the picture lies, the
// strip spares the page, stacks and window beneath from painting again under every meter bar
// that falls. Selection swaps pictures of the same size, so the shape stays right.
void coverPicture(QLabel *strip) {
    const QPixmap picture = strip->pixmap(Qt::ReturnByValue);
    const QRect shown = pictureRect(strip, picture);
    if (shown.isEmpty() || picture.hasAlphaChannel())
        return;
    strip->setMask(shown);
    strip->setAttribute(Qt::WA_OpaquePaintEvent);
}

QString firmwareText(unsigned short version, unsigned short build) {
    return QStringLiteral("%1.%2 %3")
        .arg(version / 100)
        .arg(version % 100, 2, 10, QLatin1Char('0'))
        .arg(build, 4, 10, QLatin1Char('0'));
}

// Gives the page its whole sheet and polishes every widget on it now, for code that needs
// their final look (contents rectangles, paint attributes the style sets at polish).
void readyPageNow(QWidget *page) {
    FormRuntime::finishSheet(page);
    for (QWidget *w : page->findChildren<QWidget *>())
        w->ensurePolished();
}

// Start-up: the mixer page is readied once the window has been painted, in short steps at turns
// of the event loop: first its picture, then its widgets, parents before children, so that the
// first paint waits for none of it and the first switch to the page finds it ready. Shown
// earlier, the page takes its picture and polishes what it shows as it is shown, as the toolkit
// does for any page.
class ReadyAfterFirstPaint : public QObject {
public:
    ReadyAfterFirstPaint(QWidget *window, QWidget *page) : QObject(window), page(page) {
        // Each widget asked at its construction to be polished at the first turn of the event
        // loop, which comes before the first paint: that is done here instead, each widget on
        // its own, since a widget polished already does not polish its children.
        for (QWidget *w : page->findChildren<QWidget *>()) {
            QCoreApplication::removePostedEvents(w, QEvent::PolishRequest);
            widgets.append(w);
        }
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // A timer of no interval runs when the event loop has nothing else to do.
            startTimer(0);
        }
        return false;
    }

protected:
    void timerEvent(QTimerEvent *event) override {
        if (FormRuntime::sheetWaiting(page)) {
            FormRuntime::finishSheet(page);
            return;
        }
        // A few milliseconds a step keep the window answering the user meanwhile.
        QElapsedTimer step;
        step.start();
        while (next < widgets.size() && step.elapsed() < 4)
            if (QWidget *w = widgets.at(next++))
                w->ensurePolished();
        if (next == widgets.size()) {
            killTimer(event->timerId());
            deleteLater();
        }
    }

private:
    QWidget *page;
    QVector<QPointer<QWidget>> widgets;
    int next = 0;
};

} // namespace

// ---- Construction, lifetime, window events --------------------------------------------------

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui_MainWindow) {
    ui->setupUi(this);
    buildStripTables();
    setFixedSize(sizeHint());

    ui->hS_BufferSize->installEventFilter(this);
    ui->hS_BufferSize->setStyleSheet(
        QStringLiteral("QSlider::handle:horizontal {background-color: white; border: 1px solid "
                       "black}"));

    setConnectCh1_2();
    setConnectCh3_4();
    setConnectCh5_6();
    setConnectCh7_8();
    setConnectCh9_10();
    setConnectSpdif1_2();
    setConnectAdat1_2();
    setConnectAdat3_4();
    setConnectAdat5_6();
    setConnectAdat7_8();
    setConnectMaster();
    setConnectEQ();
    setConnectCompressor();
    setConnectReverb();
    setConnectRename();

    connect(ui->actionUpdate, &QAction::triggered, this, &MainWindow::doUpdate);
    ui->actionUpdate->setEnabled(false);
    // Usable only while a unit has named itself: there is nothing to store into before.
    ui->actionSaveIntoTheUnit->setEnabled(false);

    const struct {
        QTimer *timer;
        void (MainWindow::*slot)();
        int startMs; // 0: never started here
    } timers[] = {{&timer2000ms, &MainWindow::timerInterrupt_2000ms, 0},
                  {&timer1000ms, &MainWindow::timerInterrupt_1000ms, 1000},
                  {&timer100ms, &MainWindow::timerInterrupt_100ms, 100},
                  {&timer10ms, &MainWindow::timerInterrupt_10ms, 0},
                  {&timer1ms, &MainWindow::timerInterrupt_1ms, 0}};
    for (const auto &t : timers) {
        t.timer->setParent(this);
        connect(t.timer, &QTimer::timeout, this, t.slot);
        if (t.startMs)
            t.timer->start(t.startMs);
    }
    // The low-band guard has work only while the low-cut filter is on: a timer that woke the
    // panel a hundred times a second for nothing would cost more than everything else at rest.
    timer10ms.setInterval(10);
    connect(ui->pB_LowCutFilter, &QAbstractButton::toggled, this, [this](bool on) {
        if (on)
            timer10ms.start();
    });

    connect(ui->label_Compressor, &DrawCompressor::sig_changeColorComp, this,
            &MainWindow::slt_changeColorComp);
    connect(ui->actionClose, &QAction::triggered, this, &QWidget::close);
    connect(ui->actionMinimize, &QAction::triggered, this, &QWidget::showMinimized);
    connect(ui->actionSettings_Reset, &QAction::triggered, this, &MainWindow::delSettingsFile);

    QKXDevice *device = &dm.device();
    connect(device, &QKXDevice::sig_recv_productname, this, &MainWindow::slt_RecvDeviceName);
    connect(device, &QKXDevice::sig_recv_version, this, &MainWindow::slt_RecvFirmVersion);
    connect(device, &QKXDevice::sig_recv_build, this, &MainWindow::slt_RecvFirmBuld);
    connect(device, &QKXDevice::sig_recv_clocklock, this, &MainWindow::slt_RecvDigitalInputStatus);
    connect(device, &QKXDevice::sig_recv_clockhz, this, &MainWindow::slt_RecvClockHz);
    connect(device, &QKXDevice::sig_recv_hz, this, &MainWindow::slt_RecvSampleRate);
    connect(device, &QKXDevice::sig_recv_clocksource, this, &MainWindow::slt_RecvClockSource);
    connect(device, &QKXDevice::sig_recv_meter, this, &MainWindow::slt_RecvLevelMeter);
    connect(device, &QKXDevice::sig_recv_grmeter, this, &MainWindow::slt_RecvGRMeter);

    ui->stackedWidget->setCurrentIndex(kPanelInterface);
    initWindowView();
    firmVersion = 0;
    firmBuild = 0;
    ui->label_IntDriverVersion->setText(dm.getSoftwareVersion());
    timerInterrupt_1000ms();

    ui->buttonGroup_ClockSource->setId(ui->rB_Internal, 1);
    ui->buttonGroup_ClockSource->setId(ui->rB_Optical_A, 2);
    ui->buttonGroup_ClockSource->setId(ui->rB_Optical_B, 3);
    ui->buttonGroup_ClockSource->setId(ui->rB_Word, 4);
    // A stored format outside the four items would leave the box without a selection.
    for (QComboBox *box : {ui->cB_Optical_A, ui->cB_Optical_B}) {
        const int index = dm.getOpticalInputIndex(
            box == ui->cB_Optical_A ? QStringLiteral("Optical_A") : QStringLiteral("Optical_B"));
        box->setCurrentIndex(index < box->count() ? index : 0);
    }
    restoreClockSource();

    for (QWidget *w : {static_cast<QWidget *>(ui->label_BufferSizeDisp),
                       static_cast<QWidget *>(ui->label_AudioPeformance),
                       static_cast<QWidget *>(ui->hS_BufferSize),
                       static_cast<QWidget *>(ui->label_BufferSizeTick)})
        w->hide();

    setFontforPixel();
    setMacTextFont();

    updateSoftware = new UpdateSoftware();

    ui->label_ReverbDisable->hide();
    ui->label_WordInputStatus->hide();
    ui->label_IntWordInputStatus->hide();

    new ReadyAfterFirstPaint(this, ui->Mixer);
}

MainWindow::~MainWindow() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, organizationName,
                       baseSettingsName);
    settings.beginGroup(QStringLiteral("Window"));
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.endGroup();
    delete updateSoftware;
    delete disconnectBox;
    delete ui;
}

// Installed on the buffer-size slider only: hover events never reach it.
bool MainWindow::eventFilter(QObject *, QEvent *event) {
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
        return true;
    default:
        return false;
    }
}

void MainWindow::mousePressEvent(QMouseEvent *) {}

void MainWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Shift)
        shiftKeyDown = 1;
}

void MainWindow::keyReleaseEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Shift)
        shiftKeyDown = 0;
}

void MainWindow::changeEvent(QEvent *event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        shiftKeyDown = 0;
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (updateSoftware)
        updateSoftware->closeAll();
    event->accept();
}

void MainWindow::timerInterrupt_2000ms() {
    timer2000ms.stop();
}
void MainWindow::timerInterrupt_1ms() {}

// ---- Knob and action wiring -----------------------------------------------------------------

void MainWindow::setConnectCh1_2() {
    setConnectPair(0);
}
void MainWindow::setConnectCh3_4() {
    setConnectPair(1);
}
void MainWindow::setConnectCh5_6() {
    setConnectPair(2);
}
void MainWindow::setConnectCh7_8() {
    setConnectPair(3);
}
void MainWindow::setConnectCh9_10() {
    setConnectPair(4);
}
void MainWindow::setConnectSpdif1_2() {
    setConnectPair(5);
}
void MainWindow::setConnectAdat1_2() {
    setConnectPair(6);
}
void MainWindow::setConnectAdat3_4() {
    setConnectPair(7);
}
void MainWindow::setConnectAdat5_6() {
    setConnectPair(8);
}
void MainWindow::setConnectAdat7_8() {
    setConnectPair(9);
}

namespace {

using EventSlot = void (MainWindow::*)(QMouseEvent *);
using PlainSlot = void (MainWindow::*)();

struct PanSlots {
    EventSlot pressed, moved;
    PlainSlot released, doubleClicked;
};
struct SendSlots {
    EventSlot pressed, moved;
    PlainSlot released;
};

} // namespace

// Pan indicators and send knobs of the pair's odd strip, even strip and stereo strip.
void MainWindow::setConnectPair(int pair) {
#define OLVANE_PAN_ROW(T)                                                                          \
    {                                                                                              \
        &MainWindow::panKnob##T##_Pressed, &MainWindow::panKnob##T##_Moved,                        \
            &MainWindow::panKnob##T##_Released, &MainWindow::panKnob##T##_DoubleClicked            \
    }
#define OLVANE_SEND_ROW(K, T)                                                                      \
    {                                                                                              \
        &MainWindow::send##K##Knob##T##_Pressed, &MainWindow::send##K##Knob##T##_Moved,            \
            &MainWindow::send##K##Knob##T##_Released                                               \
    }
#define OLVANE_SEND_ROWS(T)                                                                        \
    {                                                                                              \
        {                                                                                          \
            OLVANE_SEND_ROW(1, T), OLVANE_SEND_ROW(2, T), OLVANE_SEND_ROW(3, T),                   \
                OLVANE_SEND_ROW(4, T)                                                              \
        }                                                                                          \
    }
#define OLVANE_MONO_SLOT_ROW(T, N, SEL) {OLVANE_PAN_ROW(T), OLVANE_SEND_ROWS(T)},
#define OLVANE_PAIR_SLOT_ROW(ODD, EVEN, LAST, P, O, E, SEL)                                        \
    {OLVANE_PAN_ROW(ODD##_##LAST##_L), OLVANE_PAN_ROW(ODD##_##LAST##_R),                           \
     OLVANE_SEND_ROWS(ODD##_##LAST)},
    static const struct {
        PanSlots pan;
        std::array<SendSlots, 4> send;
    } monoSlots[kMonoStripCount] = {OLVANE_MONO_STRIPS(OLVANE_MONO_SLOT_ROW)};
    static const struct {
        PanSlots panL, panR;
        std::array<SendSlots, 4> send;
    } pairSlots[kPairStripCount] = {OLVANE_PAIRS(OLVANE_PAIR_SLOT_ROW)};
#undef OLVANE_PAIR_SLOT_ROW
#undef OLVANE_MONO_SLOT_ROW
#undef OLVANE_SEND_ROWS
#undef OLVANE_SEND_ROW
#undef OLVANE_PAN_ROW

    const auto pan = [this](PanControl *knob, const PanSlots &s) {
        connect(knob, &PanControl::panknob_Pressed, this, s.pressed);
        connect(knob, &PanControl::panknob_Moved, this, s.moved);
        connect(knob, &PanControl::panknob_Released, this, s.released);
        connect(knob, &PanControl::panknob_DoubleClicked, this, s.doubleClicked);
    };
    const auto sends = [this](const std::array<DialControlSend *, 4> &knobs,
                              const std::array<SendSlots, 4> &s) {
        for (int k = 0; k < 4; ++k) {
            connect(knobs[k], &DialControlSend::sendDialKnob_Pressed, this, s[k].pressed);
            connect(knobs[k], &DialControlSend::sendDialKnob_Moved, this, s[k].moved);
            // The release event is not passed on.
            connect(knobs[k], &DialControlSend::sendDialKnob_Released, this, s[k].released);
        }
    };
    const int a = pairs[pair].odd, b = a + 1;
    pan(mono[a].pan, monoSlots[a].pan);
    pan(mono[b].pan, monoSlots[b].pan);
    pan(pairs[pair].panL, pairSlots[pair].panL);
    pan(pairs[pair].panR, pairSlots[pair].panR);
    sends(mono[a].sendKnob, monoSlots[a].send);
    sends(mono[b].sendKnob, monoSlots[b].send);
    sends(pairs[pair].sendKnob, pairSlots[pair].send);
}

void MainWindow::setConnectMaster() {
    const struct {
        DialControlSend *knob;
        SendSlots handlers;
    } rows[] = {
#define OLVANE_MASTER_ROW(KNOB, PREFIX)                                                            \
    {                                                                                              \
        ui->KNOB, {                                                                                \
            &MainWindow::PREFIX##_Pressed, &MainWindow::PREFIX##_Moved,                            \
                &MainWindow::PREFIX##_Released                                                     \
        }                                                                                          \
    }
        OLVANE_MASTER_ROW(label_Send1KnobMaster, send1KnobMaster),
        OLVANE_MASTER_ROW(label_Send2KnobMaster, send2KnobMaster),
        OLVANE_MASTER_ROW(label_Send3KnobMaster, send3KnobMaster),
        OLVANE_MASTER_ROW(label_Send4KnobMaster, send4KnobMaster),
        OLVANE_MASTER_ROW(label_SendKnobReturn, sendKnobReturn),
#undef OLVANE_MASTER_ROW
    };
    for (const auto &r : rows) {
        connect(r.knob, &DialControlSend::sendDialKnob_Pressed, this, r.handlers.pressed);
        connect(r.knob, &DialControlSend::sendDialKnob_Moved, this, r.handlers.moved);
        connect(r.knob, &DialControlSend::sendDialKnob_Released, this, r.handlers.released);
    }
}

namespace {

// One effect knob and its slots; only the equaliser gains take a double click.
struct EffectKnob {
    DialControl *knob;
    EventSlot pressed, moved;
    PlainSlot doubleClicked;
};

} // namespace

#define OLVANE_KNOB(KNOB, PREFIX)                                                                  \
    EffectKnob {                                                                                   \
        ui->KNOB, &MainWindow::PREFIX##_Pressed, &MainWindow::PREFIX##_Moved, nullptr              \
    }
#define OLVANE_GAIN_KNOB(KNOB, PREFIX)                                                             \
    EffectKnob {                                                                                   \
        ui->KNOB, &MainWindow::PREFIX##_Pressed, &MainWindow::PREFIX##_Moved,                      \
            &MainWindow::PREFIX##_DoubleClicked                                                    \
    }

static void connectKnobs(MainWindow *w, std::initializer_list<EffectKnob> knobs) {
    for (const EffectKnob &k : knobs) {
        QObject::connect(k.knob, &DialControl::dialknob_Pressed, w, k.pressed);
        QObject::connect(k.knob, &DialControl::dialknob_Moved, w, k.moved);
        if (k.doubleClicked)
            QObject::connect(k.knob, &DialControl::dialknob_DoubleClicked, w, k.doubleClicked);
    }
}

void MainWindow::setConnectEQ() {
    connectKnobs(this, {OLVANE_GAIN_KNOB(label_HighGainKnob, highGainKnob),
                        OLVANE_GAIN_KNOB(label_HighMidGainKnob, highMidGainKnob),
                        OLVANE_GAIN_KNOB(label_LowMidGainKnob, lowMidGainKnob),
                        OLVANE_GAIN_KNOB(label_LowGainKnob, lowGainKnob),
                        OLVANE_KNOB(label_HighFreqKnob, highFreqKnob),
                        OLVANE_KNOB(label_HighMidFreqKnob, highMidFreqKnob),
                        OLVANE_KNOB(label_LowMidFreqKnob, lowMidFreqKnob),
                        OLVANE_KNOB(label_LowFreqKnob, lowFreqKnob),
                        OLVANE_KNOB(label_HighMidQKnob, highMidQKnob),
                        OLVANE_KNOB(label_LowMidQKnob, lowMidQKnob)});
    connect(&channelControl, &ChannelControl::signal_setLowCutFilterEnable, this,
            &MainWindow::setLowCutFilterEnable);
    connect(&channelControl, &ChannelControl::signal_setLowCutFilterDisable, this,
            &MainWindow::setLowCutFilterDisable);
    connect(&channelControl, &ChannelControl::signal_doEqualizerRepaint, this,
            &MainWindow::doEqualizerRepaint);
}

void MainWindow::setConnectCompressor() {
    connectKnobs(this,
                 {OLVANE_KNOB(label_ThresholdKnob, thresholdKnob),
                  OLVANE_KNOB(label_GainKnob, gainKnob), OLVANE_KNOB(label_RatioKnob, ratioKnob),
                  OLVANE_KNOB(label_AttackKnob, attackKnob),
                  OLVANE_KNOB(label_ReleaseKnob, releaseKnob)});
    connect(&channelControl, &ChannelControl::signal_doCompressorRepaint, this,
            &MainWindow::doCompressorRepaint);
}

void MainWindow::setConnectReverb() {
    connectKnobs(this, {OLVANE_KNOB(label_PreDelayKnob, preDelayKnob),
                        OLVANE_KNOB(label_ReverbTimeKnob, reverbTimeKnob),
                        OLVANE_KNOB(label_ReverbDiffKnob, reverbDiffKnob)});
}
#undef OLVANE_GAIN_KNOB
#undef OLVANE_KNOB

void MainWindow::setConnectRename() {
    const struct {
        QAction *action;
        PlainSlot slot;
    } rows[] = {
#define OLVANE_RENAME_ROW(N) {ui->actionRename_##N, &MainWindow::renameSceneMemory##N},
#define OLVANE_SAVE_ROW(N) {ui->actionSave_##N, &MainWindow::saveSceneMemory##N},
#define OLVANE_LOAD_ROW(N) {ui->actionLoad_##N, &MainWindow::loadSceneMemory##N},
        OLVANE_SCENES(OLVANE_RENAME_ROW) OLVANE_SCENES(OLVANE_SAVE_ROW)
            OLVANE_SCENES(OLVANE_LOAD_ROW)
#undef OLVANE_LOAD_ROW
#undef OLVANE_SAVE_ROW
#undef OLVANE_RENAME_ROW
    };
    for (const auto &r : rows)
        connect(r.action, &QAction::triggered, this, r.slot);
}

void MainWindow::setConnectHelp() {
    connect(ui->actionUpdate, &QAction::triggered, this, &MainWindow::doUpdate);
    ui->actionUpdate->setEnabled(false);
}

// ---- Device status --------------------------------------------------------------------------

bool MainWindow::namesPelvo(const QString &name) {
    return name == QLatin1String("OLVANE Pelvo");
}

bool MainWindow::isOLVANE_Pelvo() {
    return namesPelvo(ui->label_IntDevice->text());
}

void MainWindow::applyFirmwareText() {
    setText(ui->label_IntFirmVersion,
            firmVersion == 0 || firmBuild == 0 ? kNoDevice : firmwareText(firmVersion, firmBuild));
}

void MainWindow::slt_RecvFirmVersion(unsigned short version) {
    if (version == firmVersion)
        return;
    firmVersion = version;
    applyFirmwareText();
}

void MainWindow::slt_RecvFirmBuld(unsigned short build) {
    if (build == firmBuild)
        return;
    firmBuild = build;
    applyFirmwareText();
}

void MainWindow::firmwareCheck(const QString &name, const QString &firmware) {
    if (!updateSoftware)
        return;
    updateSoftware->checkFirmwareInformation(name, firmware);
    if (updateSoftware->querySoftUpdate())
        ui->actionUpdate->setEnabled(true);
}

void MainWindow::slt_RecvDeviceName(QString name) {
    if (name.isEmpty()) {
        setText(ui->label_IntDevice, kNoDevice);
        dm.deselect();
        // A name that a unit gone before its connection left behind must not let the next
        // unit be connected under it.
        if (!deviceConnected)
            forgetUnit();
        return;
    }
    setText(ui->label_IntDevice, name);
    if (deviceState == 0)
        deviceState = 1;
    unitName = name;
    ui->actionSaveIntoTheUnit->setEnabled(true);
    firmwareCheck(name, firmwareText(firmVersion, firmBuild));
}

void MainWindow::forgetUnit() {
    deviceState = 0;
    unitName.clear();
    ui->actionSaveIntoTheUnit->setEnabled(false);
}

void MainWindow::slt_RecvClockSource(kxmsg_data_clocksource_t src) {
    setText(ui->label_IntClockSource, sourceName(src, QStringLiteral("None")));
}

void MainWindow::slt_RecvClockHz(kxmsg_data_clocksource_t src, unsigned int hz) {
    clockInputHz *record = src == KXMSG_DATA_CLOCKSOURCE_WORDCLOCK   ? &wordClockHz
                           : src == KXMSG_DATA_CLOCKSOURCE_OPTICAL_A ? &opticalAClockHz
                           : src == KXMSG_DATA_CLOCKSOURCE_OPTICAL_B ? &opticalBClockHz
                                                                     : nullptr;
    if (!record)
        return;
    record->name = sourceName(src, QString());
    record->hz = hz;
}

void MainWindow::slt_RecvSampleRate(unsigned int hz) {
    if (deviceState != 2)
        return;
    const RateRow *row = std::find_if(std::begin(kRates), std::end(kRates),
                                      [hz](const RateRow &r) { return r.hz == hz; });
    if (row == std::end(kRates))
        return;
    const QString text = QLatin1String(row->text);
    if (text == ui->label_IntSampleRate->text())
        return;
    currentSampleRate = hz;
    ui->label_IntSampleRate->setText(text);
    setDisableChannel(row->band);
}

// Status of one digital input: `status` as the clock source step left it; a port with a
// manual format (format box given) says so instead.
void MainWindow::inputStatus(QLabel *label, const clockInputHz &rate, QString status,
                             const QComboBox *format, const QRadioButton *source) {
    if (status != kUnlocked && currentSampleRate != rate.hz)
        status = kMismatch;
    if (format && format->currentIndex() != 0) {
        const QString manual = QStringLiteral("Manually configured");
        setLabel(label, kGray18, manual);
        if (source->isChecked())
            setLabel(ui->label_IntClockSourceStatus, kGray18, manual);
        return;
    }
    setLabel(label, status == kGood || status == kUnlocked ? kBlack18 : kRed18, status);
}

void MainWindow::slt_RecvDigitalInputStatus(kxmsg_data_clocksource_t src,
                                            kxmsg_data_clocklock_t lock) {
    const QString source = sourceName(src, QStringLiteral("UNKNOWN"));
    QString status = lockText(lock);

    if (ui->label_IntClockSource->text() == source) {
        if (src == KXMSG_DATA_CLOCKSOURCE_INTERNAL) {
            setSheet(ui->label_ClockSourceStatus, kGray20);
            setLabel(ui->label_IntClockSourceStatus, kGray18, kDashes);
        } else if (lock == KXMSG_DATA_CLOCKLOCK_UNLOCKED) {
            setLabel(ui->label_IntClockSourceStatus, kBlack18, status);
        } else {
            uint32_t inputHz = 0;
            for (const clockInputHz *r : {&opticalAClockHz, &opticalBClockHz, &wordClockHz})
                if (r->name == source) {
                    inputHz = r->hz;
                    break;
                }
            QString sheet = lock == KXMSG_DATA_CLOCKLOCK_LOCKED ? kBlack18 : kRed18;
            if (currentSampleRate != inputHz) {
                status = kMismatch;
                sheet = kRed18;
            }
            setLabel(ui->label_IntClockSourceStatus, sheet, status);
        }
    }

    switch (src) {
    case KXMSG_DATA_CLOCKSOURCE_OPTICAL_A:
        inputStatus(ui->label_IntOptAInputStatus, opticalAClockHz, status, ui->cB_Optical_A,
                    ui->rB_Optical_A);
        break;
    case KXMSG_DATA_CLOCKSOURCE_OPTICAL_B:
        if (!isOLVANE_Pelvo())
            inputStatus(ui->label_IntOptBInputStatus, opticalBClockHz, status, ui->cB_Optical_B,
                        ui->rB_Optical_B);
        break;
    case KXMSG_DATA_CLOCKSOURCE_WORDCLOCK:
        if (!isOLVANE_Pelvo())
            inputStatus(ui->label_IntWordInputStatus, wordClockHz, status, nullptr, nullptr);
        break;
    default:
        break;
    }
}

// ---- Polling timers, plug detection, meters -------------------------------------------------

void MainWindow::timerInterrupt_1000ms() {
    dm.getOperatingMode();
    dm.getSampleRate();
    dm.getFirmVersion();
    dm.getDigitalInputStatus();
    dm.getClockSource();
    firmwareCheck(ui->label_IntDevice->text(), ui->label_IntFirmVersion->text());
    if (progressCountdown != 0) {
        --progressCountdown;
        if (progressCountdown != 0)
            emit sig_initProgressBarCountChange(progressCountdown);
        else
            emit sig_initProgressBarCountFinish();
    }
}

void MainWindow::buildLevelMeterTable() {
    for (int k = 0; k < kPairStripCount; ++k) {
        const MonoStrip &a = mono[2 * k], &b = mono[2 * k + 1];
        const PairStrip &p = pairs[k];
        levelMeterTable[4 * k] = {a.meter, a.peak, 0, 0};
        levelMeterTable[4 * k + 1] = {b.meter, b.peak, 0, 0};
        levelMeterTable[4 * k + 2] = {p.meterL, p.peakL, 0, 0};
        levelMeterTable[4 * k + 3] = {p.meterR, p.peakR, 0, 0};
    }
    levelMeterTable[40] = {ui->label_LevelMeterMasterL, ui->label_PeakMasterL, 0, 0};
    levelMeterTable[41] = {ui->label_LevelMeterMasterR, ui->label_PeakMasterR, 0, 0};
    grLevelMeter = {ui->label_GRMeter, nullptr, 0, 0};
    // The pictures' shapes and the paint attributes below hold only for polished widgets: a
    // later polish would undo them.
    readyPageNow(ui->Mixer);
    // A bar and a lamp show an opaque picture over their whole rectangle, so a meter tick
    // repaints them alone, not the strip artwork and the labels beneath.
    auto *barPainter = new MeterBarPainter(this);
    for (const levelMeter &m : levelMeterTable) {
        for (QLabel *l : {m.meterBar, m.peakLamp})
            if (l)
                l->setAttribute(Qt::WA_OpaquePaintEvent);
        if (m.meterBar)
            m.meterBar->installEventFilter(barPainter);
    }
    for (const MonoStrip &s : mono)
        coverPicture(s.strip);
    for (const PairStrip &p : pairs)
        coverPicture(p.strip);
    coverPicture(ui->master);
}

void MainWindow::initLevelMeter() {
    for (int k = 0; k < kPairStripCount; ++k)
        for (QLabel *lamp :
             {mono[2 * k].peak, mono[2 * k + 1].peak, pairs[k].peakL, pairs[k].peakR})
            lamp->hide();
    ui->label_PeakMasterL->hide();
    ui->label_PeakMasterR->hide();
}

void MainWindow::timerInterrupt_100ms() {
    if (!levelMeterTable[0].meterBar)
        buildLevelMeterTable();
    const bool present = dm.queryExistDevice();
    if (!present) {
        if (deviceConnected)
            disconnectProcedure();
        return;
    }
    if (!deviceConnected) {
        if (deviceState != 1)
            return;
        connectProcedure();
    }
    meterRefresh();
}

void MainWindow::restoreClockSource() {
    switch (dm.getSampleClockSourceId()) {
    case 2:
        on_rB_Optical_A_clicked();
        break;
    case 3:
        isOLVANE_Pelvo() ? on_rB_Internal_clicked() : on_rB_Optical_B_clicked();
        break;
    case 4:
        isOLVANE_Pelvo() ? on_rB_Internal_clicked() : on_rB_Word_clicked();
        break;
    default:
        on_rB_Internal_clicked();
        break;
    }
}

void MainWindow::connectProcedure() {
    deviceConnected = true;
    initWindowView();
    deviceState = 2;
    dm.notifyOpticalInputIndex(QStringLiteral("Optical_A"),
                               (unsigned char)ui->cB_Optical_A->currentIndex());
    dm.notifyOpticalInputIndex(QStringLiteral("Optical_B"),
                               (unsigned char)ui->cB_Optical_B->currentIndex());
    restoreClockSource();
}

// The box does not block: the poll goes on while it shows, and a unit plugged in meanwhile is
// connected as usual. The meters are cleared before the user sees it.
void MainWindow::disconnectProcedure() {
    deviceConnected = false;
    ui->stackedWidget->setCurrentIndex(kPanelInterface);
    ui->label_IntDevice->setText(kNoDevice);
    ui->label_IntSampleRate->setText(QString());
    for (QLabel *l : {ui->label_IntClockSourceStatus, ui->label_IntOptAInputStatus,
                      ui->label_IntOptBInputStatus})
        setLabel(l, kGray18, kDashes);
    forgetUnit();
    meterLevels.fill(0);
    grMeterLevel = 32767;

    if (!disconnectBox) {
        disconnectBox = new QMessageBox(QMessageBox::Warning, tr("USB Disconnected"),
                                        tr("- OLVANE Pelvo/Tarvik -\n Please insert USB cable"),
                                        QMessageBox::Ok, this);
        disconnectBox->setWindowModality(Qt::ApplicationModal);
    }
    if (!disconnectBox->isVisible())
        disconnectBox->show();
}

void MainWindow::meterRefresh() {
    // The unit's level is 16-bit; a larger answer means full scale, not a wrap to silence.
    const auto level = [this](int i) {
        return (unsigned short)std::min<uint32_t>(meterLevels[i], 0xFFFF);
    };
    for (int k = 0; k < kPairStripCount; ++k) {
        levelMeterTable[4 * k].level = levelMeterTable[4 * k + 2].level = level(2 * k);
        levelMeterTable[4 * k + 1].level = levelMeterTable[4 * k + 3].level = level(2 * k + 1);
    }
    levelMeterTable[40].level = level(20);
    levelMeterTable[41].level = level(21);
    drawLevelMeter.notifyLevelMeterValue(levelMeterTable.data());
    dm.getLevelMeter();

    if (ChannelControl::selectedCh != QLatin1String("none")) {
        const unsigned char ch = ChannelControl::exChangeToChParam(ChannelControl::selectedCh);
        if (ch != 255) {
            grLevelMeter.level = (unsigned short)std::min<uint32_t>(grMeterLevel, 0xFFFF);
            drawLevelMeter.notifyGRMeterValue(grLevelMeter);
            dm.getGrMeter(ch);
        }
    }

    if (++meterTick >= 10) {
        meterTick = 0;
        for (levelMeter &m : levelMeterTable)
            if (m.peakHold != 0 && --m.peakHold == 0 && m.peakLamp)
                m.peakLamp->hide();
    }
}

void MainWindow::slt_RecvLevelMeter(kxmsg_data_ch_t chType, unsigned char chNo,
                                    unsigned int value) {
    if (chType == KXMSG_DATA_CH_MASTER && (chNo == 1 || chNo == 2))
        meterLevels[19 + chNo] = value;
    else if (chType == KXMSG_DATA_CH_MIXER_INPUT && chNo >= 1 && chNo <= 22)
        meterLevels[chNo - 1] = value;
    dm.getLevelMeter();
}

void MainWindow::slt_RecvGRMeter(kxmsg_data_ch_t chType, unsigned char chNo, unsigned int value) {
    if (chType == KXMSG_DATA_CH_MIXER_INPUT && chNo >= 1 && chNo <= 20)
        grMeterLevel = value;
}

// Stops itself once the filter is off, however it went off (a button made uncheckable unchecks
// without a signal).
void MainWindow::timerInterrupt_10ms() {
    if (ui->pB_LowCutFilter->isChecked())
        setText(ui->label_LowGainDisp, QStringLiteral("---"));
    else
        timer10ms.stop();
}

// ---- Clock source and optical format --------------------------------------------------------

// id: the store's clock source numbering, 1 internal, 2 optical A, 3 optical B, 4 word clock.
void MainWindow::clockSourceChosen(int id) {
    const struct {
        QRadioButton *button;
        QComboBox *format;
    } rows[] = {{ui->rB_Internal, nullptr},
                {ui->rB_Optical_A, ui->cB_Optical_A},
                {ui->rB_Optical_B, ui->cB_Optical_B},
                {ui->rB_Word, nullptr}};
    const auto &row = rows[id - 1];
    row.button->setChecked(true);
    if (id == 1) {
        setSheet(ui->label_ClockSourceStatus, kGray20);
        setLabel(ui->label_IntClockSourceStatus, kGray18, kDashes);
    } else {
        setSheet(ui->label_ClockSourceStatus, kBlack20);
    }
    dm.notifySampleClockSourceId((unsigned short)id,
                                 row.format ? (unsigned short)row.format->currentIndex() : 0);
}

void MainWindow::on_rB_Internal_clicked() {
    clockSourceChosen(1);
}
void MainWindow::on_rB_Optical_A_clicked() {
    clockSourceChosen(2);
}
void MainWindow::on_rB_Optical_B_clicked() {
    clockSourceChosen(3);
}
void MainWindow::on_rB_Word_clicked() {
    clockSourceChosen(4);
}

void MainWindow::on_cB_Optical_A_currentIndexChanged(int index) {
    dm.notifyOpticalInputIndex(QStringLiteral("Optical_A"), (unsigned char)index);
}
void MainWindow::on_cB_Optical_B_currentIndexChanged(int index) {
    dm.notifyOpticalInputIndex(QStringLiteral("Optical_B"), (unsigned char)index);
}

// ---- Navigation, help links, window actions -------------------------------------------------

void MainWindow::showPage(kPanelIndex page) {
    ui->stackedWidget->setCurrentIndex(page);
    dm.notifyPanelIndex(page);
}

void MainWindow::showOutputPage() {
    showPage(isOLVANE_Pelvo() ? kPanelRoutingPelvo : kPanelRoutingTarvik);
}

bool MainWindow::mayLeaveInterfacePage() {
    if (dm.queryExistDevice() || shiftKeyDown)
        return true;
    QMessageBox::warning(this, tr("MORVEX OLVANE Settings Panel"),
                         tr("Please connect the device."));
    return false;
}

void MainWindow::on_pB_ToInterfaceFromMixer_released() {
    showPage(kPanelInterface);
}
void MainWindow::on_pB_ToOutputFromMixer_released() {
    showOutputPage();
}
void MainWindow::on_pB_ToMixerFromInterface_released() {
    if (mayLeaveInterfacePage())
        showPage(kPanelMixer);
}
void MainWindow::on_pB_ToOutputFromInterface_released() {
    if (mayLeaveInterfacePage())
        showOutputPage();
}
void MainWindow::on_pB_ToMixerFromRoutingPelvo_released() {
    showPage(kPanelMixer);
}
void MainWindow::on_pB_ToInformationFromRoutingPelvo_released() {
    showPage(kPanelInterface);
}
void MainWindow::on_pB_ToMixerFromRoutingTarvik_released() {
    showPage(kPanelMixer);
}
void MainWindow::on_pB_ToInformationFromRoutingTarvik_released() {
    showPage(kPanelInterface);
}
void MainWindow::on_pB_ToInterfaceFromOutput_released() {
    showPage(kPanelInterface);
}
void MainWindow::on_pB_ToMixerFromOutput_released() {
    showPage(kPanelMixer);
}

void MainWindow::openHelpPage(const char *page) {
    const QString path = QStringLiteral("/%1/product/%2/%3")
                             .arg(QLocale().language() == QLocale::Japanese ? QStringLiteral("jp")
                                                                            : QStringLiteral("int"),
                                  isOLVANE_Pelvo() ? QStringLiteral("OLVANE_Pelvo")
                                                   : QStringLiteral("OLVANE_Tarvik"),
                                  QLatin1String(page));
    QDesktopServices::openUrl(QUrl(QLatin1String(kProductSite) + path, QUrl::TolerantMode));
}

void MainWindow::on_actionProduct_Information_triggered() {
    openHelpPage("top");
}
void MainWindow::on_actionFAQs_triggered() {
    openHelpPage("faq");
}

void MainWindow::doUpdate() {
    ui->actionUpdate->setEnabled(false);
    dm.setDoNotUpdateSoftDialog(QString());
    dm.setDoNotUpdateFirmDialog(QString());
    updateSoftware->checkSoftwareUpdate();
}

void MainWindow::on_actionUpdate_triggered() {
    doUpdate();
}

void MainWindow::on_pB_MoniconEnable_released() {
    monitorControl.setModal(true);
    monitorControl.loadParameter();
    monitorControl.show();
    if (!moniconClose)
        moniconClose =
            connect(&monitorControl, &QDialog::rejected, this, &MainWindow::slt_CloseMoniconWindow);
}

void MainWindow::slt_CloseMoniconWindow() {
    disconnect(moniconClose);
    moniconClose = {};
    ui->pB_MoniconEnable->setChecked(false);
    monitorControl.setAllFader_0dB();
    // Leaving monitor control restores the routing that the output page shows.
    for (int row = 2; row < 10; ++row)
        lineOutChosen(row, lineOutCombo(row)->currentIndex());
}

// ---- Fonts and graph slots ------------------------------------------------------------------

void MainWindow::setFontforPixel() {
    ui->label_SendDisplayReturn->setStyleSheet(kValueLabelSheet);
    for (const MonoStrip &s : mono)
        for (QLabel *l : s.sendDisplay)
            l->setStyleSheet(kValueLabelSheet);
    // The linked S/PDIF pair keeps the form's sheet on its send values.
    for (int p = 0; p < kPairStripCount; ++p)
        if (pairs[p].tag != QLatin1String("SP1_2"))
            for (QLabel *l : pairs[p].sendDisplay)
                l->setStyleSheet(kValueLabelSheet);
    for (QLabel *l : {ui->label_Send1DisplayMaster, ui->label_Send2DisplayMaster,
                      ui->label_Send3DisplayMaster, ui->label_Send4DisplayMaster})
        l->setStyleSheet(kValueLabelSheet);
    for (int p = 0; p < kPairStripCount; ++p)
        for (QLabel *l : {mono[2 * p].panDisplay, mono[2 * p + 1].panDisplay, pairs[p].panDisplayL,
                          pairs[p].panDisplayR})
            l->setStyleSheet(kValueLabelSheet);
    for (const MonoStrip &s : mono)
        s.name->setStyleSheet(kNameFieldFirstSheet);
    for (const FaderRow &f : faders)
        f.box->setStyleSheet(kFaderDisplaySheet);
}

void MainWindow::setMacTextFont() {
    for (const MonoStrip &s : mono)
        s.name->setStyleSheet(kNameFieldFinalSheet);
    for (QLabel *l : {ui->label_Interface_App, ui->label_Interface_Ostrel})
        l->move(l->x(), l->y() + 10);
    ui->label_Interface_Asio->hide();
}

void MainWindow::slt_changeColorComp(QString state) {
    const QPixmap active(QStringLiteral(":Resource/track/GR_active.png"));
    const QPixmap available(QStringLiteral(":Resource/track/GR_available.png"));
    const QPixmap passive(QStringLiteral(":Resource/track/GR_passive.png"));
    ui->label_GRMeter->setPixmap(state == QLatin1String("GR_Active")      ? active
                                 : state == QLatin1String("GR_Available") ? available
                                                                          : passive);
}

void MainWindow::doReverbRepaint() {
    ui->label_Reverb->repaint();
}
