// The main window form built on a plain window: what the user sees right after setupUi,
// read back from the widgets.
#include "ui_mainwindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyleOption>
#include <QtTest>

#include <memory>

namespace {

// A window with a few slots named after form objects, to see the by-name wiring.
class SlotWindow : public QMainWindow {
    Q_OBJECT
public:
    QStringList calls;

private slots:
    void on_pB_Mute3_clicked() { calls << "pB_Mute3"; }
    void on_pB_Bypass1_clicked(bool checked) { calls << QString("pB_Bypass1 %1").arg(checked); }
    void on_vS_FaderKnob1_valueChanged(int v) { calls << QString("vS_FaderKnob1 %1").arg(v); }
    void on_dSB_faderDisplay13_editingFinished() { calls << "dSB_faderDisplay13"; }
    void on_actionFAQs_triggered() { calls << "actionFAQs"; }
    void on_cB_LineOut1_Pelvo_currentIndexChanged(int i) {
        calls << QString("cB_LineOut1_Pelvo %1").arg(i);
    }
    void on_pB_ToInterfaceFromMixer_released() { calls << "pB_ToInterfaceFromMixer"; }
    void on_rB_Internal_clicked() { calls << "rB_Internal"; }
    void on_pB_RevRoom_clicked() { calls << "pB_RevRoom"; }
    void on_pB_LowCutFilter_clicked() { calls << "pB_LowCutFilter"; }
};

struct Form {
    SlotWindow window;
    Ui_MainWindow ui;
    Form() { ui.setupUi(&window); }
    template <typename T = QWidget> T *get(const QString &name) const {
        return window.findChild<T *>(name);
    }
};

QImage image(const QString &path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage iconImage(const QAbstractButton *b, QIcon::Mode mode, QIcon::State state) {
    return b->icon()
        .pixmap(b->iconSize(), mode, state)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage labelImage(const QLabel *l) {
    return l->pixmap(Qt::ReturnByValue)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool transparent(const QImage &img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 0)
                return false;
    return !img.isNull();
}

// The ten channel pairs with what tells them apart.
struct Pair {
    const char *tag;
    int stackX;
    const char *strip[2]; // strip tags
    int number[2];
    const char *select[2];
    const char *stem[2];
    const char *stereoSelect;
    const char *stereoStem;
    const char *fader;
    const char *stackSheet;
    int linkOnX;
    int selectX[2];
    int meterX[2];
    int meterY;
    int dispX[2];
    int send1Y[2];
    int oddWidth;
    int linkOffX;
};

const char *const S1 = "background-image: url(:/Resource/trans.png);";
const char *const S13 = "background-image: url(:/Resource/trans.png);\n";

const Pair kPairs[] = {
    {"1_2",
     5,
     {"1", "2"},
     {1, 2},
     {"pB_Analog1", "pB_Analog2"},
     {"INPUT1", "INPUT2"},
     "pB_Analog1_2",
     "LINK_INPUT1-2",
     "1_2",
     S13,
     28,
     {-3, 56},
     {37, 96},
     468,
     {27, 86},
     {136, 136},
     58,
     28},
    {"3_4",
     123,
     {"3", "4"},
     {3, 4},
     {"pB_Analog3", "pB_Analog4"},
     {"INPUT3", "INPUT4"},
     "pB_Analog3_4",
     "LINK_INPUT3-4",
     "3_4",
     S1,
     28,
     {-2, 57},
     {37, 96},
     468,
     {28, 87},
     {136, 136},
     58,
     28},
    {"5_6",
     241,
     {"5", "6"},
     {5, 6},
     {"pB_Analog5", "pB_Analog6"},
     {"OPTA1", "OPTA2"},
     "pB_Analog5_6",
     "LINK_OUTA1-A2",
     "5_6",
     S1,
     28,
     {-1, 58},
     {37, 96},
     468,
     {28, 87},
     {136, 137},
     60,
     28},
    {"7_8",
     359,
     {"7", "8"},
     {7, 8},
     {"pB_Analog7", "pB_Analog8"},
     {"OPTA3", "OPTA4"},
     "pB_Analog7_8",
     "LINK_OUTA3-A4",
     "7_8",
     S1,
     28,
     {-2, 57},
     {37, 96},
     478,
     {28, 87},
     {136, 136},
     58,
     28},
    {"9_10",
     477,
     {"9", "10"},
     {9, 10},
     {"pB_Analog9", "pB_Analog10"},
     {"OPTA5", "OPTA6"},
     "pB_Analog9_10",
     "LINK_OUTA5-A6",
     "9_10",
     S1,
     28,
     {-2, 57},
     {37, 96},
     478,
     {28, 87},
     {136, 136},
     58,
     28},
    {"SP1_2",
     595,
     {"SP1", "SP2"},
     {11, 12},
     {"pB_SPDIF1", "pB_SPDIF2"},
     {"OPTA7", "OPTA8"},
     "pB_SPDIF1_2",
     "LINK_OUTA7-A8",
     "11_12",
     S1,
     27,
     {-1, 58},
     {38, 97},
     478,
     {28, 87},
     {135, 135},
     58,
     28},
    {"Adat1_2",
     713,
     {"Adat1", "Adat2"},
     {13, 14},
     {"pB_Adat1", "pB_Adat2"},
     {"OPTB1", "OPTB2"},
     "pB_Adat1_2",
     "LINK_OUTB1-B2",
     "13_14",
     S1,
     27,
     {-2, 57},
     {37, 96},
     468,
     {28, 87},
     {135, 135},
     58,
     28},
    {"Adat3_4",
     831,
     {"Adat3", "Adat4"},
     {15, 16},
     {"pB_Adat3", "pB_Adat4"},
     {"OPTB3", "OPTB4"},
     "pB_Adat3_4",
     "LINK_OUTB3-B4",
     "15_16",
     S1,
     27,
     {-1, 58},
     {39, 98},
     478,
     {27, 86},
     {135, 135},
     58,
     27},
    {"Adat5_6",
     949,
     {"Adat5", "Adat6"},
     {17, 18},
     {"pB_Adat5", "pB_Adat6"},
     {"OPTB5", "OPTB6"},
     "pB_Adat5_6",
     "LINK_OUTB5-B6",
     "17_18",
     S1,
     27,
     {-2, 57},
     {37, 96},
     468,
     {28, 87},
     {135, 135},
     58,
     28},
    {"Adat7_8",
     1067,
     {"Adat7", "Adat8"},
     {19, 20},
     {"pB_Adat7", "pB_Adat8"},
     {"OPTB7", "OPTB8"},
     "pB_Adat7_8",
     "LINK_OUTB7-B8",
     "19_20",
     S1,
     27,
     {-1, 58},
     {37, 96},
     468,
     {29, 87},
     {135, 135},
     58,
     27},
};

// The form's style sheets by number; the pages' own sheets (17, 20) are told in styleSheets.
const char *const kSheets[] = {
    nullptr,
    S1,
    "color: rgb(255, 170, 0);\nfont: 9pt \"MS UI Gothic\";",
    "color: rgb(255, 170, 0);\nfont: 9pt \"Arial\";\nbackground-image: "
    "url(:/Resource/trans.png);\nfont-size:12px;",
    "background-image: url(:/Resource/trans.png);\ncolor: rgb(255, 170, 0);\nfont: 9pt "
    "\"Arial\";\nfont-size:11px;",
    "background-image: url(:/Resource/trans.png);\ncolor: rgb(255, 170, 0);",
    "color: rgb(0,0,0);\nfont-size: 20px\n",
    "selection-background-color: rgb(0, 128, 255);\nbackground-color: rgb(76, 76, 76);\ncolor: "
    "rgb(255, 255, 255);\nbackground-image: url(:/Resource/trans.png);\nfont-size:10px;",
    "color: rgb(0,0,0);\nfont-size: 18px\n",
    "background-color: rgba(255, 255, 255, 0);\nbackground-image: url(:/Resource/trans.png);",
    "",
    "color: rgb(0,0,0);\nfont: 9pt \"Arial\";\nfont-size: 15px\n",
    "background-image: url(:/Resource/trans.png);\ncolor: rgb(0,0,0);\nfont-size: 12px;",
    S13,
    "background-image: url(:/Resource/trans.png);\ncolor: rgb(255, 170, 0);\n",
    "background-color: rgb(255, 255, 255);\nselection-background-color: rgb(0, 128, "
    "255);\nfont-size: 15px",
    "background-color: rgba(255, 255, 255, 0);\nfont-family: Arial;\n",
    nullptr,
    "background-image: url(:/Resource/trans.png);\ncolor: rgb(170, 170, 255);\nfont: 12pt "
    "\"Meiryo UI\";\nfont-size: 15px;",
    "background-image: url(:/Resource/trans.png);\ncolor: rgb(170, 170, 255);\nfont: 12pt "
    "\"Meiryo UI\";\nfont-size: 16px;",
    nullptr,
    "color: rgb(0,0,0);\nfont-size: 17px\n",
    "color: rgb(0, 0, 0);\nfont-size: 20px",
    "background-image: url(:/Resource/trans.png);\nfont: 11pt \"Arial\";\ncolor: "
    "rgb(0,0,0);\nfont-size:14px",
    "background-image: url(:/Resource/trans.png);\nfont: 12pt \"Arial\";\nfont-size: 15px\n\n\n",
};

// The eighteen effect knobs, each with the value display of its stem: place, start frame and
// start text.
struct EffectKnob {
    const char *stem;
    QRect rect;
    const char *frame;
    QRect displayRect;
    const char *text;
    QString knob() const { return QString("label_%1Knob").arg(stem); }
    QString display() const { return QString("label_%1Disp").arg(stem); }
};

const EffectKnob kEffectKnobs[] = {
    {"HighGain", {228, 51, 18, 18}, "1200", {253, 59, 29, 11}, "0"},
    {"HighMidGain", {228, 77, 18, 18}, "1200", {253, 85, 29, 11}, "0"},
    {"LowMidGain", {228, 103, 18, 18}, "1200", {253, 111, 29, 11}, "0"},
    {"LowGain", {228, 129, 18, 18}, "1200", {253, 137, 29, 11}, "0"},
    {"HighFreq", {308, 51, 18, 18}, "1130", {333, 59, 30, 11}, "5.0k"},
    {"HighMidFreq", {308, 77, 18, 18}, "1100", {333, 85, 30, 11}, "1.2k"},
    {"LowMidFreq", {308, 103, 18, 18}, "900", {333, 111, 30, 11}, "300"},
    {"LowFreq", {308, 129, 18, 18}, "800", {333, 138, 30, 11}, "80"},
    {"HighMidQ", {388, 77, 18, 18}, "1030", {413, 85, 30, 11}, "1.00"},
    {"LowMidQ", {388, 103, 18, 18}, "1030", {413, 111, 30, 11}, "1.00"},
    {"Threshold", {607, 70, 18, 18}, "1700", {638, 70, 30, 11}, "0"},
    {"Ratio", {689, 70, 18, 18}, "700", {713, 70, 35, 11}, u8"1.0\uFF1A1"},
    {"Gain", {769, 70, 18, 18}, "700", {799, 70, 30, 11}, "0"},
    {"Attack", {607, 123, 18, 18}, "700", {638, 123, 30, 11}, "2"},
    {"Release", {689, 123, 18, 18}, "700", {715, 123, 30, 11}, "10"},
    {"PreDelay", {873, 131, 18, 18}, "700", {897, 136, 30, 11}, "0"},
    {"ReverbTime", {955, 131, 18, 18}, "700", {979, 136, 30, 11}, "0.1"},
    {"ReverbDiff", {1039, 131, 18, 18}, "700", {1066, 136, 30, 11}, "0"},
};

// The status grid of the interface page, row by row: caption and value with their start texts.
struct StatusRow {
    const char *caption;
    const char *captionText;
    const char *value;
    const char *valueText;
};

const StatusRow kStatusGrid[] = {
    {"label_DriverVersion", u8"Software Version \uFF1A", "label_IntDriverVersion", "1.00 0001"},
    {"label_FirmVersion", u8"Firmware Version \uFF1A", "label_IntFirmVersion", "No Device"},
    {"label_Device", u8"Device \uFF1A", "label_IntDevice", "No Device"},
    {"label_ClockSource", u8"Clock Source \uFF1A", "label_IntClockSource", "No Signal"},
    {"label_SampleRate", u8"Sample Rate \uFF1A", "label_IntSampleRate", "No Device"},
    {"label_ClockSourceStatus", u8"Clock Source Status \uFF1A", "label_IntClockSourceStatus",
     "No Signal"},
    {"label_OptAInputStatus", u8"OPTICAL A Input Status \uFF1A", "label_IntOptAInputStatus",
     "No Signal"},
    {"label_OptBInputStatus", u8"OPTICAL B Input Status \uFF1A", "label_IntOptBInputStatus",
     "No Signal"},
    {"label_WordInputStatus", u8"WORD Input Status \uFF1A", "label_IntWordInputStatus",
     "No Signal"},
};

const char *const kNameTip =
    "<html><head/><body><p><span style=\" font-weight:400; color:#ff8000;\">After editing, "
    "please press the </span><span style=\" font-size:10pt; color:#ff0000;\">Enter "
    "key</span><span style=\" font-weight:400;\">.</span></p></body></html>";

QString cls(const QObject *o) {
    return QString::fromLatin1(o->metaObject()->className());
}

// The focus chain built from its segment rules.
QStringList monoChain(const Pair &p) {
    const QString o = p.strip[0], e = p.strip[1];
    const QString tag = p.tag;
    QStringList c{"pB_LinkOn" + tag};
    for (const char *role : {"Phase", "EQ", "Comp", "Solo", "Mute"})
        c << QString("pB_%1%2").arg(role, o) << QString("pB_%1%2").arg(role, e);
    c << p.select[0] << p.select[1];
    QStringList usual{"Pre3", "Post1", "Post3", "Pre4", "Post4", "Pre2", "Post2", "Pre1"};
    QStringList evenOrder = tag == "3_4" ? QStringList{"Post3", "Post4", "Pre1",  "Pre2",
                                                       "Pre4",  "Post1", "Post2", "Pre3"}
                                         : usual;
    QStringList odd, even;
    for (const QString &s : usual)
        odd << QString("pB_%1_%2").arg(s, o);
    for (const QString &s : evenOrder)
        even << QString("pB_%1_%2").arg(s, e);
    c << (tag == "Adat5_6" ? even + odd : odd + even);
    const QString n0 = QString::number(p.number[0]), n1 = QString::number(p.number[1]);
    const bool boxesEvenFirst = tag == "SP1_2" || tag == "Adat3_4" || tag == "Adat7_8";
    c << "dSB_faderDisplay" + (boxesEvenFirst ? n1 : n0)
      << "dSB_faderDisplay" + (boxesEvenFirst ? n0 : n1);
    const bool slidersOddFirst = tag == "3_4";
    c << "vS_FaderKnob" + (slidersOddFirst ? n0 : n1)
      << "vS_FaderKnob" + (slidersOddFirst ? n1 : n0);
    c << "pB_Bypass" + (slidersOddFirst ? n1 : n0) << "pB_Bypass" + (slidersOddFirst ? n0 : n1);
    return c;
}

QStringList stereoChain(const Pair &p) {
    const QString t = p.tag;
    QStringList c{"pB_LinkOff" + t, "pB_EQ" + t,           "pB_Comp" + t,         "pB_Solo" + t,
                  "pB_Mute" + t,    "pB_Phase" + t + "_L", "pB_Phase" + t + "_R", p.stereoSelect};
    for (const char *s : {"Post4", "Post2", "Post1", "Pre3", "Pre1", "Pre4", "Pre2", "Post3"})
        c << QString("pB_%1_%2").arg(s, t);
    return c << QString("dSB_faderDisplay") + p.fader << QString("vS_FaderKnob") + p.fader
             << QString("pB_Bypass") + p.fader;
}

QStringList expectedChain() {
    QStringList c;
    for (int n = 1; n <= 8; ++n)
        c << QString("cB_LineOut%1_Tarvik").arg(n);
    c << "pB_MoniconEnable"
      << "pB_ToMixerFromRoutingTarvik"
      << "pB_ToInformationFromRoutingTarvik"
      << "cB_LineOut1_Pelvo"
      << "cB_LineOut2_Pelvo";
    c << QString("pB_Analog2 pB_Pre2_1 pB_Pre3_1 pB_Pre4_1 pB_Post3_1 pB_Post4_1 pB_Post2_1 "
                 "pB_Post1_1 pB_Pre3_2 pB_Post1_2 pB_Post3_2 pB_Pre4_2 pB_Post4_2 pB_Pre2_2 "
                 "pB_Post2_2 pB_Pre1_2 dSB_faderDisplay1 vS_FaderKnob1 dSB_faderDisplay2 "
                 "vS_FaderKnob2 pB_Bypass1 pB_Bypass2 pB_Phase1 pB_LinkOn1_2")
             .split(' ');
    c << QString("pB_EQ1_2 pB_Comp1_2 pB_Solo1_2 pB_Mute1_2 pB_Phase1_2_L pB_Phase1_2_R "
                 "pB_Analog1_2 pB_Post4_1_2 pB_Post2_1_2 pB_Pre4_1_2 pB_Post3_1_2 pB_Pre2_1_2 "
                 "pB_Pre3_1_2 pB_Pre1_1_2 pB_Post1_1_2 dSB_faderDisplay1_2 vS_FaderKnob1_2 "
                 "pB_Bypass1_2")
             .split(' ');
    c << "pB_ToOutputFromMixer";
    auto pairs = [&](int from, int to) {
        for (int i = from; i <= to; ++i)
            c << monoChain(kPairs[i]) << stereoChain(kPairs[i]);
    };
    pairs(1, 4);
    c << "pB_masterMute"
      << "pB_masterReverb"
      << "vS_FaderKnobMaster"
      << "dSB_faderDisplayMaster";
    pairs(5, 7);
    c << "pB_LowCutFilter";
    pairs(8, 9);
    c << "pB_RevHall"
      << "pB_RevRoom"
      << "pB_RevLive"
      << "pB_RevStudio"
      << "pB_RevPlate";
    c << "rB_Internal"
      << "rB_Optical_A"
      << "rB_Optical_B"
      << "rB_Word"
      << "cB_Optical_A"
      << "cB_Optical_B"
      << "hS_BufferSize"
      << "pB_ToMixerFromInterface"
      << "pB_ToOutputFromInterface";
    c << "pB_Analog1"
      << "pB_Pre1_1"
      << "pB_ToInformationFromRoutingPelvo"
      << "pB_ToMixerFromRoutingPelvo"
      << "pB_ToInterfaceFromMixer"
      << "pB_LinkOff1_2";
    c << QString("pB_Phase2 pB_EQ1 pB_EQ2 pB_Comp1 pB_Comp2 pB_Solo1 pB_Mute1 pB_Mute2 pB_Solo2")
             .split(' ');
    return c;
}

int stackIndex(const QWidget *w) {
    return w->parentWidget()->children().indexOf(const_cast<QWidget *>(w));
}

} // namespace

class TestForm : public QObject {
    Q_OBJECT

    // One form for the cases that only read it; building one takes a while.
    std::unique_ptr<Form> m_shared;
    Form &shared() {
        if (!m_shared)
            m_shared = std::make_unique<Form>();
        return *m_shared;
    }

private slots:
    void cleanupTestCase() { m_shared.reset(); }
    void censusAndNames();
    void windowFrame();
    void windowNameKept();
    void pairStacks_data();
    void pairStacks();
    void monoStrips_data();
    void monoStrips();
    void stereoStrips_data();
    void stereoStrips();
    void stripStacking();
    void faderRanges();
    void masterStrip();
    void effectKnobs_data();
    void effectKnobs();
    void effectSections();
    void reverbGroup();
    void nameFields();
    void interfacePage();
    void clockGroup();
    void routingPages();
    void menus();
    void focusChain();
    void tabSkipsHiddenPages();
    void slotsByName();
    void styleSheets_data();
    void styleSheets();
    void sheetFamilies_data();
    void sheetFamilies();
    void laterPagesTakeTheirPicturesWhenShown();
    void texts_data();
    void texts();
    void emptyTextsKeepPictures();
    void comboItems();
    void lineOutListsShowTheirBoxColour_data();
    void lineOutListsShowTheirBoxColour();
    void radioIndicatorsShowOnThePage();
    void contextMenusHaveTheirFace_data();
    void contextMenusHaveTheirFace();
    void screenshots();
};

void TestForm::censusAndNames() {
    Form &f = shared();
    QMap<QString, int> census;
    QSet<QString> names;
    for (QObject *o : f.window.findChildren<QObject *>()) {
        const QString name = o->objectName();
        // The toolkit names its own inner parts with a "qt_" prefix.
        if (name.isEmpty() || name.startsWith("qt_") || name == "_layout")
            continue;
        QVERIFY2(!names.contains(name), qPrintable("duplicate name " + name));
        names.insert(name);
        ++census[cls(o)];
    }
    const QMap<QString, int> expected{
        {"QPushButton", 497},   {"QLabel", 308},        {"DialControlSend", 125},
        {"QAction", 40},        {"PanControl", 40},     {"QWidget", 34},
        {"QSlider", 32},        {"ChannelControl", 31}, {"QDoubleSpinBox", 31},
        {"QLineEdit", 20},      {"DialControl", 18},    {"QMenu", 15},
        {"QStackedWidget", 13}, {"QComboBox", 12},      {"QRadioButton", 4},
        {"QVBoxLayout", 3},     {"QButtonGroup", 2},    {"QHBoxLayout", 1},
        {"QGridLayout", 1},     {"QMenuBar", 1},        {"DrawEq", 1},
        {"DrawCompressor", 1},  {"DrawReverb", 1}};
    QCOMPARE(census, expected);
    QCOMPARE(names.size(), 1231);
    // The record's members point at the objects of their names.
    QCOMPARE(f.ui.pB_Pre1_Adat1->objectName(), QString("pB_Pre1_Adat1"));
    QCOMPARE(f.ui.vS_FaderKnob19_20->objectName(), QString("vS_FaderKnob19_20"));
    QCOMPARE(f.ui.buttonGroup_ClockSource->parent(), &f.window);
    QCOMPARE(f.ui.actionFAQs->parent(), &f.window);
}

void TestForm::windowFrame() {
    Form &f = shared();
    QCOMPARE(f.window.objectName(), QString("MainWindow"));
    QCOMPARE(f.window.size(), QSize(1260, 724));
    QCOMPARE(f.window.minimumSize(), QSize(1260, 724));
    QCOMPARE(f.window.maximumSize(), QSize(1260, 724));
    QCOMPARE(f.window.windowIcon().pixmap(32, 32).toImage().convertToFormat(
                 QImage::Format_ARGB32_Premultiplied),
             image(":/Resource/icon/icon_32x32.png"));
    QCOMPARE(f.window.centralWidget(), f.ui.centralWidget);
    QCOMPARE(f.window.menuBar(), f.ui.menuBar);
    QCOMPARE(f.ui.stackedWidget->count(), 4);
    const QStringList pages{"Mixer", "Interface", "Routing_Pelvo", "Routing_Tarvik"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(f.ui.stackedWidget->widget(i)->objectName(), pages[i]);
    QCOMPARE(f.ui.stackedWidget->currentIndex(), 1);
    QCOMPARE(f.ui.stackedWidget->minimumSize(), QSize(1260, 700));
    QCOMPARE(f.ui.stackedWidget->maximumSize(), QSize(1260, 700));
    QCOMPARE(f.ui.Mixer->maximumSize(), QSize(1260, 700));
    QCOMPARE(f.ui.Interface->minimumSize(), QSize(1260, 700));
    QCOMPARE(f.ui.stackedWidget->font().family(), QString("Arial"));
    QCOMPARE(f.ui.stackedWidget->font().pointSize(), 20);
    // The empty layout carriers lie beneath the page stack.
    QCOMPARE(f.ui.layoutWidget->geometry(), QRect(0, 0, 100, 30));
    QCOMPARE(f.ui.layoutWidget1->geometry(), QRect(0, 0, 100, 30));
    QCOMPARE(f.ui.verticalLayout_2->count(), 0);
    QCOMPARE(f.ui.verticalLayout_2->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(f.ui.verticalLayout_2->spacing(), 6);
    QCOMPARE(f.ui.verticalLayout->spacing(), 0);
    QCOMPARE(f.ui.verticalLayout->count(), 1);
    QCOMPARE(f.ui.verticalLayout->itemAt(0)->widget(), f.ui.stackedWidget);
    QVERIFY(stackIndex(f.ui.stackedWidget) > stackIndex(f.ui.layoutWidget1));
    QCOMPARE(f.window.windowTitle(), QString("MORVEX OLVANE Pelvo/Tarvik Settings Panel"));
}

void TestForm::windowNameKept() {
    SlotWindow w;
    w.setObjectName("Custom");
    Ui_MainWindow ui;
    ui.setupUi(&w);
    QCOMPARE(w.objectName(), QString("Custom"));
    ui.pB_Mute3->click();
    QCOMPARE(w.calls, QStringList{"pB_Mute3"});
}

void TestForm::pairStacks_data() {
    QTest::addColumn<int>("pair");
    for (int i = 0; i < 10; ++i)
        QTest::newRow(kPairs[i].tag) << i;
}

void TestForm::pairStacks() {
    QFETCH(int, pair);
    const Pair &p = kPairs[pair];
    Form &f = shared();
    auto *stack = f.get<QStackedWidget>(QString("sW_channel") + p.tag);
    QVERIFY(stack);
    QCOMPARE(stack->parentWidget(), f.ui.Mixer);
    QCOMPARE(stack->geometry(), QRect(p.stackX, 150, 116, 531));
    QCOMPARE(stack->styleSheet(), QString(p.stackSheet));
    QCOMPARE(stack->count(), 2);
    QCOMPARE(stack->widget(0)->objectName(), QString("mono") + p.tag);
    QCOMPARE(stack->widget(1)->objectName(), QString("stereo") + p.tag);
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(stack->widget(0)->children().size(), 61);
    QCOMPARE(stack->widget(1)->children().size(), 36);
}

void TestForm::monoStrips_data() {
    QTest::addColumn<int>("pair");
    QTest::addColumn<int>("side");
    for (int i = 0; i < 10; ++i)
        for (int s = 0; s < 2; ++s)
            QTest::addRow("%s-%s", kPairs[i].tag, kPairs[i].strip[s]) << i << s;
}

void TestForm::monoStrips() {
    QFETCH(int, pair);
    QFETCH(int, side);
    const Pair &p = kPairs[pair];
    Form &f = shared();
    QWidget *page = f.get(QString("mono") + p.tag);
    QVERIFY(page);
    const QString t = p.strip[side];
    const QString n = QString::number(p.number[side]);
    const int dx = side ? 59 : 0;
    auto on = [&](const QString &name, const char *className) -> QWidget * {
        QWidget *w = f.get(name);
        if (!w || w->parentWidget() != page || cls(w) != className)
            return nullptr;
        return w;
    };

    auto *strip = qobject_cast<QLabel *>(on("mono" + t, "ChannelControl"));
    QVERIFY(strip);
    QCOMPARE(strip->geometry(), QRect(-2 + dx, 5, side ? 58 : p.oddWidth, 531));
    QCOMPARE(labelImage(strip), image(":/Resource/track/Tarvik_track_0.png"));
    QCOMPARE(strip->alignment(), Qt::AlignLeft | Qt::AlignVCenter);

    auto *select = qobject_cast<QPushButton *>(on(p.select[side], "QPushButton"));
    QVERIFY(select);
    QCOMPARE(select->geometry(), QRect(p.selectX[side], 23, 58, 13));
    QCOMPARE(select->iconSize(), QSize(50, 15));
    QCOMPARE(iconImage(select, QIcon::Normal, QIcon::Off),
             image(QString(":/Resource/track/select/%1_0.png").arg(p.stem[side])));
    QCOMPARE(iconImage(select, QIcon::Normal, QIcon::On),
             image(QString(":/Resource/track/select/%1_1.png").arg(p.stem[side])));

    // Buttons with their geometry and faces in the strip artwork, Off and On (no Off picture:
    // transparent); all checkable and off.
    struct Button {
        QString name;
        QRect rect;
        QSize iconSize;
        const char *off;
        const char *on;
    };
    QVector<Button> buttons = {
        {"pB_Phase" + t, {2 + dx, 41, 25, 13}, {25, 13}, "Phase_0.png", "Phase_1.png"},
        {"pB_Bypass" + n, {27 + dx, 41, 25, 13}, {25, 13}, "THRU_0.png", "THRU_1.png"},
        {"pB_EQ" + t, {-2 + dx, 59, 58, 13}, {50, 13}, nullptr, "EQ.png"},
        {"pB_Comp" + t, {-2 + dx, 74, 58, 13}, {50, 13}, nullptr, "COMP.png"},
        {"pB_Solo" + t, {-2 + dx, 294, 58, 13}, {50, 13}, nullptr, "SOLO.png"},
        {"pB_Mute" + t, {-2 + dx, 310, 58, 13}, {50, 13}, nullptr, "MUTE.png"},
    };
    const int rowY[] = {0, 107, 154, 201, 248};
    for (int k = 1; k <= 4; ++k) {
        const QString send = QString::number(k) + "_" + t;
        buttons.append(
            {"pB_Pre" + send, {2 + dx, rowY[k], 25, 13}, {25, 13}, nullptr, "PRE_1.png"});
        buttons.append(
            {"pB_Post" + send, {27 + dx, rowY[k], 25, 13}, {25, 13}, nullptr, "POST_1.png"});
    }
    for (const Button &b : buttons) {
        auto *w = qobject_cast<QPushButton *>(on(b.name, "QPushButton"));
        QVERIFY2(w, qPrintable(b.name));
        QCOMPARE(w->geometry(), b.rect);
        QCOMPARE(w->iconSize(), b.iconSize);
        QVERIFY(w->isCheckable());
        QVERIFY(!w->isChecked());
        QVERIFY(w->text().isEmpty());
        QCOMPARE(iconImage(w, QIcon::Normal, QIcon::On),
                 image(QString(":/Resource/track/") + b.on));
        const QImage off = iconImage(w, QIcon::Normal, QIcon::Off);
        if (b.off)
            QCOMPARE(off, image(QString(":/Resource/track/") + b.off));
        else
            QVERIFY2(transparent(off), qPrintable(b.name));
    }

    for (int k = 1; k <= 4; ++k) {
        auto *knob = qobject_cast<QLabel *>(
            on(QString("label_Send%1Knob%2").arg(k).arg(t), "DialControlSend"));
        QVERIFY(knob);
        QCOMPARE(knob->geometry(), QRect(14 + dx, rowY[k] + 15, 26, 26));
        QCOMPARE(labelImage(knob), image(":/Resource/track/knob_send/knob_L_700.png"));
        auto *disp =
            qobject_cast<QLabel *>(on(QString("label_Send%1Display%2").arg(k).arg(t), "QLabel"));
        QVERIFY(disp);
        const int dispY[] = {0, p.send1Y[side], 182, 229, 276};
        QCOMPARE(disp->geometry(), QRect(p.dispX[side], dispY[k], 30, 20));
        QCOMPARE(disp->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    }

    auto *pan = qobject_cast<QLabel *>(on("label_panKnob" + t, "PanControl"));
    QVERIFY(pan);
    QCOMPARE(pan->geometry(), QRect(20 + dx, 336, 16, 12));
    QCOMPARE(on("label_panDisplay" + t, "QLabel")->geometry(), QRect(side ? 80 : 20, 348, 30, 20));
    QCOMPARE(on("vS_FaderKnob" + n, "QSlider")->geometry(), QRect(side ? 70 : 10, 350, 20, 131));
    auto *peak = qobject_cast<QLabel *>(on("label_Peak" + t, "QLabel"));
    QVERIFY(peak);
    QCOMPARE(peak->geometry(), QRect(37 + dx, 356, 6, 5));
    QCOMPARE(labelImage(peak), image(":/Resource/track/Peak.png"));
    auto *meter = qobject_cast<QLabel *>(on("label_LevelMeter" + t, "QLabel"));
    QVERIFY(meter);
    QCOMPARE(meter->geometry(), QRect(p.meterX[side], p.meterY, 6, 1));
    QCOMPARE(meter->alignment(), Qt::AlignLeft | Qt::AlignBottom);
    QCOMPARE(labelImage(meter), image(":/Resource/track/Meter.png"));
    QCOMPARE(on("dSB_faderDisplay" + n, "QDoubleSpinBox")->geometry(), QRect(2 + dx, 485, 50, 18));

    auto *link = qobject_cast<QPushButton *>(on(QString("pB_LinkOn") + p.tag, "QPushButton"));
    QVERIFY(link);
    QCOMPARE(link->geometry(), QRect(p.linkOnX, 508, 58, 13));
    QVERIFY(link->isCheckable());
    QVERIFY(link->isChecked());
    QCOMPARE(link->iconSize(), QSize(60, 20));
    // One picture, shown in both states.
    QCOMPARE(link->icon()
                 .pixmap(QSize(50, 13), QIcon::Normal, QIcon::Off)
                 .toImage()
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied),
             image(":/Resource/track/LINK_0.png"));
}

void TestForm::stereoStrips_data() {
    pairStacks_data();
}

void TestForm::stereoStrips() {
    QFETCH(int, pair);
    const Pair &p = kPairs[pair];
    Form &f = shared();
    QWidget *page = f.get(QString("stereo") + p.tag);
    QVERIFY(page);
    const QString t = p.tag;
    auto on = [&](const QString &name, const char *className) -> QWidget * {
        QWidget *w = f.get(name);
        return w && w->parentWidget() == page && cls(w) == className ? w : nullptr;
    };
    auto *strip = qobject_cast<QLabel *>(on("st" + t, "ChannelControl"));
    QVERIFY(strip);
    QCOMPARE(strip->geometry(), QRect(-2, 5, 117, 531));
    QCOMPARE(strip->alignment(), Qt::AlignCenter);
    QCOMPARE(labelImage(strip), image(":/Resource/track/TrackLink_0.png"));

    auto *linkOff = qobject_cast<QPushButton *>(on("pB_LinkOff" + t, "QPushButton"));
    QVERIFY(linkOff);
    QCOMPARE(linkOff->geometry(), QRect(p.linkOffX, 508, 58, 13));
    QVERIFY(linkOff->isChecked());
    QVERIFY(!linkOff->isFlat());
    QCOMPARE(linkOff->styleSheet(), QString(S1));

    auto *select = qobject_cast<QPushButton *>(on(p.stereoSelect, "QPushButton"));
    QVERIFY(select);
    QCOMPARE(select->geometry(), QRect(14, 22, 84, 15));
    QCOMPARE(iconImage(select, QIcon::Normal, QIcon::Off),
             image(QString(":/Resource/track/select_LINK/%1_0.png").arg(p.stereoStem)));
    QCOMPARE(iconImage(select, QIcon::Normal, QIcon::On),
             image(QString(":/Resource/track/select_LINK/%1_1.png").arg(p.stereoStem)));

    // The other children, with their pictures where they have one.
    const QString fader = p.fader;
    const QString peakPicture = ":/Resource/track/Peak.png";
    const QString meterPicture = ":/Resource/track/Meter.png";
    const QString panPicture = ":/Resource/track/PAN.png";
    struct Row {
        QString name;
        const char *className;
        QRect rect;
        QString picture;
    };
    QVector<Row> rows = {
        {"pB_Phase" + t + "_L", "QPushButton", {2, 41, 25, 13}, {}},
        {"pB_Bypass" + fader, "QPushButton", {27, 41, 25, 13}, {}},
        {"pB_Phase" + t + "_R", "QPushButton", {61, 41, 25, 13}, {}},
        {"pB_EQ" + t, "QPushButton", {28, 59, 58, 13}, {}},
        {"pB_Comp" + t, "QPushButton", {28, 74, 58, 13}, {}},
        {"pB_Solo" + t, "QPushButton", {28, 294, 58, 13}, {}},
        {"pB_Mute" + t, "QPushButton", {28, 310, 58, 13}, {}},
        {"label_panKnob" + t + "_L", "PanControl", {20, 336, 16, 12}, panPicture},
        {"label_panKnob" + t + "_R", "PanControl", {79, 336, 16, 12}, panPicture},
        {"label_panDisplay" + t + "_L", "QLabel", {0, 348, 30, 20}, {}},
        {"label_panDisplay" + t + "_R", "QLabel", {80, 348, 30, 20}, {}},
        {"vS_FaderKnob" + fader, "QSlider", {35, 350, 20, 131}, {}},
        {"label_Peak" + t + "_L", "QLabel", {63, 356, 6, 5}, peakPicture},
        {"label_Peak" + t + "_R", "QLabel", {74, 356, 6, 5}, peakPicture},
        {"label_LevelMeter" + t + "_L", "QLabel", {63, 468, 6, 1}, meterPicture},
        {"label_LevelMeter" + t + "_R", "QLabel", {74, 468, 6, 1}, meterPicture},
        {"dSB_faderDisplay" + fader, "QDoubleSpinBox", {32, 485, 50, 18}, {}},
    };
    const QString knob = ":/Resource/track/knob_send/knob_L_700.png";
    const int buttonY[] = {107, 154, 201, 248};
    const int knobY[] = {122, 169, 216, 263};
    const int displayY[] = {135, 182, 229, 276};
    for (int i = 0; i < 4; ++i) {
        const QString k = QString::number(i + 1);
        rows.append({"pB_Pre" + k + "_" + t, "QPushButton", {32, buttonY[i], 25, 13}, {}});
        rows.append({"pB_Post" + k + "_" + t, "QPushButton", {57, buttonY[i], 25, 13}, {}});
        rows.append(
            {"label_Send" + k + "Knob" + t, "DialControlSend", {44, knobY[i], 26, 26}, knob});
        rows.append({"label_Send" + k + "Display" + t, "QLabel", {62, displayY[i], 30, 20}, {}});
    }
    // With the strip, the link-off and the select button: every child of the page.
    QCOMPARE(rows.size() + 3, page->children().size());
    for (const Row &r : rows) {
        QWidget *w = on(r.name, r.className);
        QVERIFY2(w, qPrintable(r.name));
        QCOMPARE(w->geometry(), r.rect);
        if (!r.picture.isEmpty())
            QCOMPARE(labelImage(static_cast<QLabel *>(w)), image(r.picture));
        if (auto *b = qobject_cast<QPushButton *>(w)) {
            QVERIFY(b->isCheckable());
            QVERIFY2(!b->isChecked(), qPrintable(r.name));
            QVERIFY(b->isEnabled());
        }
    }
}

void TestForm::stripStacking() {
    Form &f = shared();
    // Mono page: the strips lie beneath everything, each value label above what it overlaps.
    const QObjectList mono = f.ui.mono1_2->children();
    QCOMPARE(mono.indexOf(f.ui.mono1), 0);
    QCOMPARE(mono.indexOf(f.ui.mono2), 1);
    QVERIFY(mono.indexOf(f.ui.label_Send1Display1) > mono.indexOf(f.ui.label_Send1Knob1));
    QVERIFY(mono.indexOf(f.ui.label_Send1Display1) > mono.indexOf(f.ui.pB_Post2_1));
    QVERIFY(mono.indexOf(f.ui.label_Send4Display1) > mono.indexOf(f.ui.pB_Solo1));
    QVERIFY(mono.indexOf(f.ui.label_Send4Display1) > mono.indexOf(f.ui.pB_Solo2));
    QVERIFY(mono.indexOf(f.ui.label_Peak1) > mono.indexOf(f.ui.label_panDisplay1));
    QVERIFY(mono.indexOf(f.ui.vS_FaderKnob2) > mono.indexOf(f.ui.label_panDisplay2));
    QCOMPARE(mono.last(), f.ui.pB_Bypass2);
    const QObjectList stereo = f.ui.stereoAdat5_6->children();
    QCOMPARE(stereo.indexOf(f.ui.stAdat5_6), 0);
    QVERIFY(stereo.indexOf(f.ui.label_Send1DisplayAdat5_6) > stereo.indexOf(f.ui.pB_Post1_Adat5_6));
    QVERIFY(stereo.indexOf(f.ui.label_Send4DisplayAdat5_6) > stereo.indexOf(f.ui.pB_SoloAdat5_6));

    // Mixer page: the overlay beneath all, the rest in creation order.
    const QObjectList mixer = f.ui.Mixer->children();
    QCOMPARE(mixer.size(), 81);
    QCOMPARE(mixer.first(), f.ui.label_ReverbDisable);
    QCOMPARE(mixer.at(1), f.ui.pB_ToInterfaceFromMixer);
    QCOMPARE(mixer.last(), f.ui.label_ReverbDiffDisp);
    QVERIFY(mixer.indexOf(f.ui.lineEdit_ch13) > mixer.indexOf(f.ui.lineEdit_ch14));
    QVERIFY(mixer.indexOf(f.ui.lineEdit_ch11) < mixer.indexOf(f.ui.sW_channelSP1_2));
    QVERIFY(mixer.indexOf(f.ui.lineEdit_ch17) > mixer.indexOf(f.ui.sW_channelAdat7_8));
    QVERIFY(mixer.indexOf(f.ui.lineEdit_ch20) > mixer.indexOf(f.ui.sW_master));

    // Master strip and return page.
    QCOMPARE(f.ui.master_ch->children().first(), f.ui.master);
    QCOMPARE(f.ui.returnEnable->children().first(), f.ui.enable_back);
    QCOMPARE(f.ui.returnEnable->children().last(), f.ui.label_SendDisplayReturn);
}

void TestForm::faderRanges() {
    Form f;
    QList<QSlider *> faders;
    for (auto *s : f.ui.Mixer->findChildren<QSlider *>())
        faders << s;
    QCOMPARE(faders.size(), 31);
    for (QSlider *s : faders) {
        QCOMPARE(s->orientation(), Qt::Vertical);
        QCOMPARE(s->minimum(), 0);
        QCOMPARE(s->maximum(), 100);
        QCOMPARE(s->pageStep(), 0);
        QCOMPARE(s->singleStep(), 1);
        QCOMPARE(s->value(), 100);
    }
    QSlider *s = f.ui.vS_FaderKnob13;
    s->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(s->value(), 100);
    s->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(s->value(), 99);

    const auto boxes = f.ui.Mixer->findChildren<QDoubleSpinBox *>();
    QCOMPARE(boxes.size(), 31);
    for (QDoubleSpinBox *b : boxes) {
        QCOMPARE(b->decimals(), 1);
        QCOMPARE(b->minimum(), -99.9);
        QCOMPARE(b->maximum(), 6.0);
        QCOMPARE(b->singleStep(), 0.1);
        QCOMPARE(b->buttonSymbols(), QAbstractSpinBox::NoButtons);
        QCOMPARE(b->alignment(), Qt::AlignRight | Qt::AlignBottom);
        QCOMPARE(b->value(), 0.0);
        QCOMPARE(b->suffix(), QString(" dB"));
        QCOMPARE(b->specialValueText(), QString("-infinity"));
    }
    QDoubleSpinBox *box = f.ui.dSB_faderDisplay7;
    box->setValue(-150);
    QCOMPARE(box->text(), QString("-infinity"));
    box->setValue(-12.5);
    QCOMPARE(box->text(), QLocale().toString(-12.5, 'f', 1) + " dB");
}

void TestForm::masterStrip() {
    Form &f = shared();
    QCOMPARE(f.ui.sW_master->geometry(), QRect(1177, 150, 81, 541));
    QCOMPARE(f.ui.sW_master->count(), 2);
    QCOMPARE(f.ui.sW_master->widget(0), f.ui.master_dummy);
    QCOMPARE(f.ui.sW_master->currentWidget(), f.ui.master_ch);
    QCOMPARE(f.ui.sW_return->currentWidget(), f.ui.returnEnable);
    QCOMPARE(f.ui.sW_return->widget(0), f.ui.returnDisable);
    QCOMPARE(labelImage(f.ui.disable_back), image(":/Resource/track/return_disable.png"));
    QCOMPARE(cls(f.ui.master), QString("ChannelControl"));
    QCOMPARE(labelImage(f.ui.master), image(":/Resource/track/Tarvik_master.png"));
    QCOMPARE(iconImage(f.ui.pB_masterReverb, QIcon::Normal, QIcon::On),
             image(":/Resource/track/REVERB_1.png"));
    QVERIFY(f.ui.pB_masterReverb->isCheckable() && !f.ui.pB_masterReverb->isChecked());
    QVERIFY(f.ui.pB_masterMute->isCheckable() && !f.ui.pB_masterMute->isChecked());
    QCOMPARE(f.ui.label_Send1DisplayMaster->font().family(), QString("MS UI Gothic"));
    QCOMPARE(iconImage(f.ui.pB_masterMute, QIcon::Normal, QIcon::On),
             image(":/Resource/track/MUTE.png"));
    QCOMPARE(labelImage(f.ui.enable_back), image(":/Resource/track/return.png"));

    // Every placed child of the strip and of the return page, with its alignment.
    const Qt::Alignment rightCentre = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment leftBottom = Qt::AlignLeft | Qt::AlignBottom;
    const Qt::Alignment leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
    const struct {
        QWidget *widget;
        QWidget *parent;
        QRect rect;
        Qt::Alignment alignment;
    } placed[] = {
        {f.ui.master, f.ui.master_ch, {6, 108, 74, 435}, Qt::AlignCenter},
        {f.ui.sW_return, f.ui.master_ch, {6, 15, 74, 91}, {}},
        {f.ui.pB_masterMute, f.ui.master_ch, {18, 333, 50, 13}, {}},
        {f.ui.label_Send1KnobMaster, f.ui.master_ch, {30, 143, 26, 26}, Qt::AlignCenter},
        {f.ui.label_Send2KnobMaster, f.ui.master_ch, {30, 189, 26, 26}, Qt::AlignCenter},
        {f.ui.label_Send3KnobMaster, f.ui.master_ch, {30, 235, 26, 26}, Qt::AlignCenter},
        {f.ui.label_Send4KnobMaster, f.ui.master_ch, {30, 281, 26, 26}, Qt::AlignCenter},
        {f.ui.label_Send1DisplayMaster, f.ui.master_ch, {45, 152, 30, 20}, rightCentre},
        {f.ui.label_Send2DisplayMaster, f.ui.master_ch, {45, 198, 30, 20}, rightCentre},
        {f.ui.label_Send3DisplayMaster, f.ui.master_ch, {45, 244, 30, 20}, rightCentre},
        {f.ui.label_Send4DisplayMaster, f.ui.master_ch, {45, 290, 30, 20}, rightCentre},
        {f.ui.vS_FaderKnobMaster, f.ui.master_ch, {26, 350, 20, 131}, {}},
        {f.ui.label_PeakMasterL, f.ui.master_ch, {51, 356, 6, 5}, leftBottom},
        {f.ui.label_PeakMasterR, f.ui.master_ch, {59, 356, 6, 5}, leftBottom},
        {f.ui.label_LevelMeterMasterL, f.ui.master_ch, {51, 468, 6, 1}, leftBottom},
        {f.ui.label_LevelMeterMasterR, f.ui.master_ch, {59, 468, 6, 1}, leftBottom},
        {f.ui.dSB_faderDisplayMaster,
         f.ui.master_ch,
         {17, 485, 50, 18},
         Qt::AlignRight | Qt::AlignBottom},
        {f.ui.disable_back, f.ui.returnDisable, {0, 0, 74, 91}, leftCentre},
        {f.ui.pB_masterReverb, f.ui.returnEnable, {12, 7, 50, 15}, {}},
        {f.ui.label_SendKnobReturn, f.ui.returnEnable, {24, 36, 26, 26}, Qt::AlignCenter},
        {f.ui.label_SendDisplayReturn, f.ui.returnEnable, {38, 51, 30, 20}, rightCentre},
        {f.ui.enable_back, f.ui.returnEnable, {0, 0, 74, 91}, leftCentre},
    };
    for (const auto &c : placed) {
        QCOMPARE(c.widget->parentWidget(), c.parent);
        QCOMPARE(c.widget->geometry(), c.rect);
        if (auto *l = qobject_cast<QLabel *>(c.widget))
            QCOMPARE(l->alignment(), c.alignment);
        else if (auto *box = qobject_cast<QDoubleSpinBox *>(c.widget))
            QCOMPARE(box->alignment(), c.alignment);
    }
    for (QLabel *l : {f.ui.label_PeakMasterL, f.ui.label_PeakMasterR})
        QCOMPARE(labelImage(l), image(":/Resource/track/Peak.png"));
    for (QLabel *l : {f.ui.label_LevelMeterMasterL, f.ui.label_LevelMeterMasterR})
        QCOMPARE(labelImage(l), image(":/Resource/track/Meter.png"));
}

void TestForm::effectKnobs_data() {
    QTest::addColumn<QString>("knob");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QRect>("displayRect");
    for (const EffectKnob &e : kEffectKnobs)
        QTest::newRow(e.stem) << e.knob() << e.rect << e.frame << e.display() << e.displayRect;
}

void TestForm::effectKnobs() {
    QFETCH(QString, knob);
    QFETCH(QRect, rect);
    QFETCH(QString, frame);
    QFETCH(QString, display);
    QFETCH(QRect, displayRect);
    Form &f = shared();
    auto *k = f.get<QLabel>(knob);
    QVERIFY(k);
    QCOMPARE(cls(k), QString("DialControl"));
    QCOMPARE(k->parentWidget(), f.ui.Mixer);
    QCOMPARE(k->geometry(), rect);
    QCOMPARE(k->alignment(), Qt::AlignCenter);
    QVERIFY(!k->hasScaledContents());
    QCOMPARE(labelImage(k), image(":/Resource/track/knob_s/knob-s_" + frame + ".png"));
    auto *d = f.get<QLabel>(display);
    QVERIFY(d);
    QCOMPARE(cls(d), QString("QLabel"));
    QCOMPARE(d->geometry(), displayRect);
    QCOMPARE(d->alignment(), Qt::AlignCenter);
}

void TestForm::effectSections() {
    Form f;
    QCOMPARE(cls(f.ui.label_Equalizer), QString("DrawEq"));
    QCOMPARE(f.ui.label_Equalizer->geometry(), QRect(22, 67, 136, 77));
    QCOMPARE(f.ui.label_Equalizer->alignment(), Qt::AlignLeft | Qt::AlignTop);
    QCOMPARE(cls(f.ui.label_Compressor), QString("DrawCompressor"));
    QCOMPARE(f.ui.label_Compressor->geometry(), QRect(479, 69, 63, 69));
    QCOMPARE(cls(f.ui.label_Reverb), QString("DrawReverb"));
    QCOMPARE(f.ui.label_Reverb->geometry(), QRect(873, 63, 220, 49));

    QCOMPARE(f.ui.label_GRMeter->geometry(), QRect(574, 73, 5, 0));
    QCOMPARE(labelImage(f.ui.label_GRMeter), image(":/Resource/track/GR_passive.png"));
    QCOMPARE(f.ui.label_GRMeter->alignment(), Qt::AlignLeft | Qt::AlignBottom);

    QCOMPARE(f.ui.label_RvbPicture->geometry(), QRect(1104, 62, 90, 81));
    QVERIFY(f.ui.label_RvbPicture->hasScaledContents());
    QCOMPARE(labelImage(f.ui.label_RvbPicture), image(":/Resource/Reverb/Rvb_hall.png"));
    QCOMPARE(f.ui.label_ReverbDisable->geometry(), QRect(859, 40, 401, 115));
    QCOMPARE(f.ui.label_ReverbDisable->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(labelImage(f.ui.label_ReverbDisable).size(), QSize(1260, 115));
    QVERIFY(!f.ui.label_ReverbDisable->isHidden());

    // The low-cut button is not checkable yet: a click reaches its slot but changes nothing.
    QPushButton *lcf = f.ui.pB_LowCutFilter;
    QCOMPARE(lcf->geometry(), QRect(410, 135, 31, 14));
    QVERIFY(!lcf->isCheckable());
    QCOMPARE(iconImage(lcf, QIcon::Normal, QIcon::Off), image(":/Resource/track/LCF_off.png"));
    QCOMPARE(iconImage(lcf, QIcon::Normal, QIcon::On), image(":/Resource/track/LCF_on.png"));
    lcf->click();
    QVERIFY(!lcf->isChecked());
    QCOMPARE(f.window.calls, QStringList{"pB_LowCutFilter"});

    // Bypass pictures: the Disabled ones are transparent, except on pB_Bypass2.
    QVERIFY(transparent(iconImage(f.ui.pB_Bypass1, QIcon::Disabled, QIcon::Off)));
    QVERIFY(transparent(iconImage(f.ui.pB_Bypass1_2, QIcon::Disabled, QIcon::On)));
    QVERIFY(!transparent(iconImage(f.ui.pB_Bypass2, QIcon::Disabled, QIcon::Off)));
    QCOMPARE(iconImage(f.ui.pB_PhaseAdat4, QIcon::Disabled, QIcon::On),
             image(":/Resource/track/PHASE_disable.png"));
    QCOMPARE(iconImage(f.ui.pB_EQ5_6, QIcon::Disabled, QIcon::Off),
             image(":/Resource/track/EQ_disable.png"));
}

void TestForm::reverbGroup() {
    Form f;
    QPushButton *types[] = {f.ui.pB_RevHall, f.ui.pB_RevRoom, f.ui.pB_RevLive, f.ui.pB_RevStudio,
                            f.ui.pB_RevPlate};
    const char *faces[] = {"Hall", "Rooml", "Live", "Studio", "Plate"};
    QCOMPARE(f.ui.buttonGroup_Reverb->buttons().size(), 5);
    QVERIFY(f.ui.buttonGroup_Reverb->exclusive());
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(f.ui.buttonGroup_Reverb->buttons().at(i), types[i]);
        QCOMPARE(types[i]->geometry(), QRect(1199, 63 + 17 * i, 50, 13));
        QCOMPARE(types[i]->isChecked(), i == 0);
        QCOMPARE(iconImage(types[i], QIcon::Normal, QIcon::On),
                 image(QString(":/Resource/track/reverb_%1_1.png").arg(faces[i])));
    }
    f.ui.pB_RevHall->click();
    QVERIFY(f.ui.pB_RevHall->isChecked());
    f.ui.pB_RevRoom->click();
    QVERIFY(f.ui.pB_RevRoom->isChecked());
    QVERIFY(!f.ui.pB_RevHall->isChecked());
    QCOMPARE(f.window.calls, QStringList{"pB_RevRoom"});
    f.ui.pB_RevPlate->setChecked(true);
    QVERIFY(!f.ui.pB_RevRoom->isChecked());
}

void TestForm::nameFields() {
    Form f;
    // The page buttons above, over the tabs.
    QCOMPARE(f.ui.pB_ToInterfaceFromMixer->geometry(), QRect(180, 0, 130, 30));
    QCOMPARE(f.ui.pB_ToOutputFromMixer->geometry(), QRect(322, 0, 130, 30));
    for (int n = 1; n <= 20; ++n) {
        auto *e = f.get<QLineEdit>(QString("lineEdit_ch%1").arg(n));
        QVERIFY(e);
        QCOMPARE(e->parentWidget(), f.ui.Mixer);
        const QRect want = n == 14 ? QRect(769, 676, 60, 16) : QRect(4 + 59 * (n - 1), 676, 58, 16);
        QCOMPARE(e->geometry(), want);
        QCOMPARE(e->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(e->maxLength(), 6);
        QVERIFY(!e->hasFrame());
        QCOMPARE(e->alignment(), Qt::AlignCenter);
        QCOMPARE(e->font().family(), QString("Arial"));
        QVERIFY(e->text().isEmpty());
        QCOMPARE(e->styleSheet().endsWith("\n"), n <= 2);
    }
    QTest::keyClicks(f.ui.lineEdit_ch9, "Keyboards");
    QCOMPARE(f.ui.lineEdit_ch9->text(), QString("Keyboa"));
}

void TestForm::interfacePage() {
    Form f;
    QCOMPARE(f.ui.widget->geometry(), QRect(100, 100, 1111, 511));
    QCOMPARE(f.ui.widget->font().pointSize(), 9);
    QCOMPARE(f.ui.layoutWidget2->geometry(), QRect(460, 240, 241, 41));
    QCOMPARE(f.ui.horizontalLayout->count(), 2);
    QCOMPARE(f.ui.horizontalLayout->itemAt(0)->widget(), f.ui.label_AudioPeformance);
    QCOMPARE(f.ui.horizontalLayout->itemAt(1)->widget(), f.ui.label_BufferSizeDisp);
    QCOMPARE(f.ui.horizontalLayout->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(f.ui.label_BufferSizeDisp->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(f.ui.layoutWidget3->geometry(), QRect(1, 1, 431, 411));
    for (int r = 0; r < 9; ++r) {
        QCOMPARE(f.ui.gridLayout->itemAtPosition(r, 0)->widget()->objectName(),
                 QString(kStatusGrid[r].caption));
        QCOMPARE(f.ui.gridLayout->itemAtPosition(r, 1)->widget()->objectName(),
                 QString(kStatusGrid[r].value));
    }
    QCOMPARE(f.ui.gridLayout->spacing(), 6);

    QSlider *buffer = f.ui.hS_BufferSize;
    QCOMPARE(buffer->geometry(), QRect(491, 291, 591, 41));
    QCOMPARE(buffer->orientation(), Qt::Horizontal);
    QCOMPARE(buffer->minimum(), 0);
    QCOMPARE(buffer->maximum(), 10);
    QCOMPARE(buffer->value(), 7);
    QCOMPARE(buffer->pageStep(), 10);
    QCOMPARE(buffer->tickPosition(), QSlider::NoTicks);
    buffer->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(buffer->value(), 0);
    QCOMPARE(f.ui.label_BufferSizeTick->geometry(), QRect(491, 340, 611, 17));

    QCOMPARE(f.ui.cB_Optical_A->geometry(), QRect(720, 90, 351, 21));
    QCOMPARE(f.ui.cB_Optical_B->geometry(), QRect(720, 120, 351, 21));
    // Each optical box lies above the right-hand part of its radio button.
    QVERIFY(stackIndex(f.ui.cB_Optical_A) > stackIndex(f.ui.rB_Optical_A));
    QCOMPARE(f.ui.pB_ToMixerFromInterface->geometry(), QRect(33, 0, 130, 30));
    QCOMPARE(f.ui.pB_ToOutputFromInterface->geometry(), QRect(324, 0, 130, 30));
    QCOMPARE(f.ui.label_SampleClockSource->geometry(), QRect(460, 8, 211, 49));
    // The corner lines, right-aligned; the wording of the credit and rights lines is ours.
    const QPair<QLabel *, QRect> corner[] = {{f.ui.label_Interface_Asio, {909, 663, 341, 30}},
                                             {f.ui.label_Interface_Ostrel, {950, 656, 300, 16}},
                                             {f.ui.label_Interface_App, {949, 639, 300, 16}}};
    for (const auto &c : corner) {
        QCOMPARE(c.first->geometry(), c.second);
        QCOMPARE(c.first->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY2(!c.first->text().isEmpty(), qPrintable(c.first->objectName()));
    }
    QCOMPARE(f.ui.label_MorvexURL->textFormat(), Qt::RichText);
    QVERIFY(f.ui.label_MorvexURL->openExternalLinks());
    QCOMPARE(f.ui.label_MorvexURL->geometry(), QRect(1026, 34, 221, 41));
    for (QWidget *w : f.ui.Interface->findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
            QVERIFY2(!w->isHidden() && w->isEnabled(), qPrintable(w->objectName()));
}

void TestForm::clockGroup() {
    Form f;
    QAbstractButton *radios[] = {f.ui.rB_Internal, f.ui.rB_Optical_A, f.ui.rB_Optical_B,
                                 f.ui.rB_Word};
    const int ys[] = {62, 92, 122, 152};
    const int widths[] = {111, 301, 301, 111};
    QCOMPARE(f.ui.buttonGroup_ClockSource->buttons().size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(f.ui.buttonGroup_ClockSource->buttons().at(i), radios[i]);
        QVERIFY(f.ui.buttonGroup_ClockSource->id(radios[i]) < 0);
        QCOMPARE(radios[i]->geometry(), QRect(510, ys[i], widths[i], 20));
        QCOMPARE(radios[i]->isChecked(), i == 1);
    }
    f.ui.rB_Internal->click();
    QVERIFY(f.ui.rB_Internal->isChecked());
    QVERIFY(!f.ui.rB_Optical_A->isChecked());
    f.ui.rB_Internal->click();
    QVERIFY(f.ui.rB_Internal->isChecked());
    QCOMPARE(f.window.calls, (QStringList{"rB_Internal", "rB_Internal"}));
}

void TestForm::routingPages() {
    Form f;
    QCOMPARE(f.ui.cB_LineOut1_Pelvo->geometry(), QRect(997, 484, 120, 18));
    QCOMPARE(f.ui.cB_LineOut2_Pelvo->geometry(), QRect(997, 511, 120, 18));
    const QPair<QLabel *, int> pelvoArrows[] = {{f.ui.label_LineOut1_Arrow_Pelvo, 483},
                                                {f.ui.label_LineOut2_Arrow_Pelvo, 510}};
    for (const auto &arrow : pelvoArrows) {
        QCOMPARE(arrow.first->geometry(), QRect(31, arrow.second, 881, 20));
        QCOMPARE(arrow.first->layoutDirection(), Qt::RightToLeft);
    }
    QCOMPARE(labelImage(f.ui.label_LineOut1_Arrow_Pelvo),
             image(":/Resource/arrow_ST/arrow_ST-L.png"));
    QCOMPARE(labelImage(f.ui.label_LineOut2_Arrow_Pelvo),
             image(":/Resource/arrow_ST/arrow_ST-R.png"));
    QCOMPARE(f.ui.pB_ToInformationFromRoutingPelvo->geometry(), QRect(176, 0, 130, 30));
    QCOMPARE(f.ui.pB_ToMixerFromRoutingPelvo->geometry(), QRect(32, 0, 130, 30));
    const int arrowY[] = {376, 402, 429, 456, 484, 510, 537, 564};
    const int comboY[] = {376, 403, 430, 457, 484, 511, 538, 565};
    const char *arrows[] = {"arrow_ST/arrow_ST-L",     "arrow_ST/arrow_ST-R",
                            "arrow_AUX/arrow_AUX-1",   "arrow_AUX/arrow_AUX-2",
                            "arrow_AUX/arrow_AUX-3",   "arrow_AUX/arrow_AUX-4",
                            "arrow_comp/arrow_comp-1", "arrow_comp/arrow_comp-2"};
    for (int n = 1; n <= 8; ++n) {
        auto *arrow = f.get<QLabel>(QString("label_LineOut%1_Arrow").arg(n));
        auto *combo = f.get<QComboBox>(QString("cB_LineOut%1_Tarvik").arg(n));
        QVERIFY(arrow && combo);
        QCOMPARE(arrow->parentWidget(), f.ui.Routing_Tarvik);
        QCOMPARE(arrow->geometry(), QRect(31, arrowY[n - 1], 881, 20));
        QCOMPARE(arrow->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(labelImage(arrow), image(QString(":/Resource/%1.png").arg(arrows[n - 1])));
        QCOMPARE(combo->geometry(), QRect(997, comboY[n - 1], 120, 18));
        QCOMPARE(combo->focusPolicy(), Qt::WheelFocus);
        QCOMPARE(combo->font().family(), QString("Arial"));
        QVERIFY(!combo->isEditable());
    }
    QCOMPARE(f.ui.cB_LineOut1_Pelvo->focusPolicy(), Qt::WheelFocus);
    QCOMPARE(f.ui.cB_Optical_A->focusPolicy(), QComboBox().focusPolicy());
    QCOMPARE(f.ui.pB_MoniconEnable->geometry(), QRect(1094, 209, 76, 20));
    QVERIFY(f.ui.pB_MoniconEnable->isCheckable());
    QVERIFY(!f.ui.pB_MoniconEnable->isChecked());
    QCOMPARE(iconImage(f.ui.pB_MoniconEnable, QIcon::Normal, QIcon::On),
             image(":/Resource/monicon/MoniConEnable.png"));
    QVERIFY(transparent(iconImage(f.ui.pB_MoniconEnable, QIcon::Normal, QIcon::Off)));
    f.ui.pB_MoniconEnable->click();
    QVERIFY(f.ui.pB_MoniconEnable->isChecked());
    QCOMPARE(f.ui.pB_ToInformationFromRoutingTarvik->geometry(), QRect(177, 0, 130, 30));
    QCOMPARE(f.ui.pB_ToMixerFromRoutingTarvik->geometry(), QRect(33, 0, 130, 30));

    // Nothing is raised on the output pages: they stack in creation order.
    QStringList order;
    for (QObject *o : f.ui.Routing_Tarvik->children())
        order << o->objectName();
    QStringList want;
    for (int n = 1; n <= 8; ++n)
        want << QString("label_LineOut%1_Arrow").arg(n);
    for (int n : {2, 1, 3, 4, 5, 6, 7, 8})
        want << QString("cB_LineOut%1_Tarvik").arg(n);
    want << "pB_ToMixerFromRoutingTarvik"
         << "pB_ToInformationFromRoutingTarvik"
         << "pB_MoniconEnable";
    QCOMPARE(order, want);
}

void TestForm::menus() {
    Form f;
    auto entries = [](const QList<QAction *> &actions) {
        QStringList out;
        for (QAction *a : actions)
            out << (a->isSeparator() ? QString("-")
                    : a->menu()      ? a->menu()->objectName()
                                     : a->objectName());
        return out;
    };
    QCOMPARE(entries(f.ui.menuBar->actions()),
             (QStringList{"menuFile", "menuSceneMemory", "menuHelp"}));
    QCOMPARE(f.ui.menuBar->geometry(), QRect(0, 0, 1260, 24));
    QCOMPARE(entries(f.ui.menuFile->actions()),
             (QStringList{"actionSettings_Reset", "actionInitialize_Reverb", "-", "actionMinimize",
                          "actionClose"}));
    QStringList scene;
    for (int n = 1; n <= 10; ++n)
        scene << QString("menuSceneMemory%1").arg(n);
    QCOMPARE(entries(f.ui.menuSceneMemory->actions()),
             scene + QStringList({"-", "actionInitialize_Memory", "-", "actionSaveIntoTheUnit"}));
    for (int n = 1; n <= 10; ++n) {
        auto *m = f.get<QMenu>(QString("menuSceneMemory%1").arg(n));
        QVERIFY(m);
        QCOMPARE(m->parent(), f.ui.menuSceneMemory);
        QCOMPARE(m->title(), QString("SceneMemory%1").arg(n));
        const QStringList want{QString("actionSave_%1").arg(n), QString("actionLoad_%1").arg(n),
                               "-", QString("actionRename_%1").arg(n)};
        QCOMPARE(entries(m->actions()), want);
        QCOMPARE(m->actions().at(0)->text(), QString("Save"));
        QCOMPARE(m->actions().at(3)->text(), QString("Rename"));
    }
    QCOMPARE(entries(f.ui.menuHelp->actions()),
             (QStringList{"menuMORVEX_Website", "actionUpdate", "menuAbout"}));
    QCOMPARE(entries(f.ui.menuAbout->actions()), QStringList{"actionLicense"});
    QCOMPARE(entries(f.ui.menuMORVEX_Website->actions()),
             (QStringList{"actionProduct_Information", "actionFAQs"}));

    // Titles as the user reads them, left to right.
    QStringList titles;
    for (QAction *a : f.ui.menuBar->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{"View", "SceneMemory", "Help"}));
    QStringList help;
    for (QAction *a : f.ui.menuHelp->actions())
        help << a->text();
    QCOMPARE(help, (QStringList{"- MORVEX Website", "- Update", "- About ..."}));
    QCOMPARE(f.ui.actionSettings_Reset->text(), QString("Initialize"));
    QCOMPARE(f.ui.actionSaveIntoTheUnit->text(), QString("Save into the unit"));

    // Every action stands in exactly one menu; nothing else is set on it.
    const auto actions = f.window.findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
    int placed = 0;
    for (QAction *a : actions) {
        if (a->objectName().isEmpty())
            continue;
        QCOMPARE(a->associatedWidgets().size(), 1);
        QVERIFY(a->icon().isNull() && a->shortcut().isEmpty() && !a->isCheckable() &&
                a->isEnabled());
        ++placed;
    }
    QCOMPARE(placed, 40);

    f.ui.actionFAQs->trigger();
    f.ui.actionUpdate->trigger();
    QCOMPARE(f.window.calls, QStringList{"actionFAQs"});
}

void TestForm::focusChain() {
    Form &f = shared();
    const QStringList expected = expectedChain();
    QCOMPARE(expected.size(), 576);
    const QSet<QString> members(expected.begin(), expected.end());
    QCOMPARE(members.size(), 576);

    // Every widget the Tab key can reach is a member, and only those.
    QSet<QString> reachable;
    for (QWidget *w : f.window.findChildren<QWidget *>())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().startsWith("qt_") &&
            !w->objectName().isEmpty() && !qobject_cast<QMenu *>(w) && !qobject_cast<QMenuBar *>(w))
            reachable.insert(w->objectName());
    QCOMPARE(reachable, members);

    QStringList walked;
    QWidget *first = f.ui.cB_LineOut1_Tarvik;
    QWidget *w = first;
    do {
        if (members.contains(w->objectName()))
            walked << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first && walked.size() <= 576);
    QCOMPARE(walked, expected);
}

void TestForm::tabSkipsHiddenPages() {
    Form f;
    f.ui.stackedWidget->setCurrentIndex(0);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    auto tabFrom = [&](QWidget *from) {
        from->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        QTest::keyClick(&f.window, Qt::Key_Tab);
        return f.window.focusWidget() ? f.window.focusWidget()->objectName() : QString();
    };
    QApplication::setActiveWindow(&f.window);
    QCOMPARE(tabFrom(f.ui.pB_Solo2), QString("pB_Analog2"));
    QCOMPARE(tabFrom(f.ui.pB_RevPlate), QString("pB_Analog1"));
    QCOMPARE(tabFrom(f.ui.pB_Pre1_1), QString("pB_ToInterfaceFromMixer"));
    QCOMPARE(tabFrom(f.ui.pB_ToInterfaceFromMixer), QString("pB_Phase2"));
}

void TestForm::slotsByName() {
    Form f;
    // Nothing the form did while being built reached a slot.
    QVERIFY(f.window.calls.isEmpty());
    f.ui.pB_Bypass1->click();
    f.ui.vS_FaderKnob1->setValue(40);
    f.ui.cB_LineOut1_Pelvo->setCurrentIndex(3);
    QTest::mouseClick(f.ui.pB_ToInterfaceFromMixer, Qt::LeftButton);
    QMetaObject::invokeMethod(f.ui.dSB_faderDisplay13, "editingFinished");
    f.ui.pB_Mute3->click();
    QCOMPARE(f.window.calls,
             (QStringList{"pB_Bypass1 1", "vS_FaderKnob1 40", "cB_LineOut1_Pelvo 3",
                          "pB_ToInterfaceFromMixer", "dSB_faderDisplay13", "pB_Mute3"}));
}

void TestForm::styleSheets_data() {
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("window") << "MainWindow" << QString(kSheets[10]);
    QTest::newRow("page stack") << "stackedWidget" << QString(kSheets[16]);
    QTest::newRow("send knob") << "label_Send2KnobAdat7" << QString(kSheets[1]);
    QTest::newRow("send value") << "label_Send2DisplayAdat7" << QString(kSheets[2]);
    QTest::newRow("fader box") << "dSB_faderDisplay5_6" << QString(kSheets[3]);
    QTest::newRow("effect value") << "label_ReverbTimeDisp" << QString(kSheets[4]);
    QTest::newRow("name field") << "lineEdit_ch7" << QString(kSheets[5]);
    QTest::newRow("first name field") << "lineEdit_ch2" << QString(kSheets[14]);
    QTest::newRow("line out") << "cB_LineOut6_Tarvik" << QString(kSheets[7]);
    QTest::newRow("page button") << "pB_ToMixerFromRoutingPelvo" << QString(kSheets[9]);
    QTest::newRow("radio") << "rB_Word" << QString(kSheets[11]);
    QTest::newRow("optical") << "cB_Optical_B" << QString(kSheets[15]);
    QTest::newRow("caption") << "label_ClockSource" << QString(kSheets[6]);
    QTest::newRow("value") << "label_IntClockSource" << QString(kSheets[8]);
    QTest::newRow("compressor") << "label_Compressor" << QString(kSheets[18]);
    QTest::newRow("equaliser") << "label_Equalizer" << QString(kSheets[19]);
    QTest::newRow("link") << "label_MorvexURL" << QString(kSheets[24]);
    QTest::newRow("ticks") << "label_BufferSizeTick" << QString(kSheets[23]);
    QTest::newRow("overlay") << "label_ReverbDisable"
                             << "";
    QTest::newRow("return page") << "returnEnable"
                                 << "";
    QTest::newRow("no sheet") << "pB_Mute4"
                              << "";
    // Each page's picture is named for the page alone, so it is not drawn again inside the
    // page's children.
    QTest::newRow("mixer page")
        << "Mixer"
        << "#Mixer { background-image: url(:/Resource/Tarvik_mixer_back.png); }\n"
           "QMenu { background-color: palette(base); }";
    QTest::newRow("interface page")
        << "Interface"
        << "#Interface { background-image: url(:/Resource/Tarvik_info_back.png); }\n"
           "QRadioButton { background: none; }";
    const QString lists = "\nQComboBox QAbstractItemView { background-color: rgb(76, 76, 76); }";
    QTest::newRow("smaller routing page")
        << "Routing_Pelvo"
        << "#Routing_Pelvo { background-image: url(:/Resource/PELVO_ROUTING_back.png); }" + lists;
    QTest::newRow("larger routing page")
        << "Routing_Tarvik"
        << "#Routing_Tarvik { background-image: url(:/Resource/Tarvik_ROUTING_back.png); }" + lists;
}

void TestForm::styleSheets() {
    QFETCH(QString, object);
    QFETCH(QString, sheet);
    Form &f = shared();
    QWidget *w = object == "MainWindow" ? &f.window : f.get(object);
    QVERIFY(w);
    // A page takes its whole sheet when it is first shown.
    QStackedWidget *stack = f.ui.stackedWidget;
    if (w->parentWidget() == stack) {
        const int start = stack->currentIndex();
        stack->setCurrentWidget(w);
        stack->setCurrentIndex(start);
    }
    QCOMPARE(w->styleSheet(), sheet);
}

void TestForm::sheetFamilies_data() {
    QTest::addColumn<int>("sheet");
    QTest::addColumn<QStringList>("objects");
    QStringList s1, s2, s3, s4, s5, s6{"label_AudioPeformance"}, s7, s8;
    const auto sends = [](QStringList &knobs, QStringList &displays, const QString &tag) {
        for (int k = 1; k <= 4; ++k) {
            knobs << QString("label_Send%1Knob%2").arg(k).arg(tag);
            displays << QString("label_Send%1Display%2").arg(k).arg(tag);
        }
    };
    for (const Pair &p : kPairs) {
        const QString tag = p.tag;
        if (tag != "1_2")
            s1 << "sW_channel" + tag;
        s1 << "pB_LinkOff" + tag;
        sends(s1, s2, tag);
        s2 << "label_panDisplay" + tag + "_L"
           << "label_panDisplay" + tag + "_R";
        s3 << QString("dSB_faderDisplay") + p.fader;
        for (int side = 0; side < 2; ++side) {
            sends(s1, s2, p.strip[side]);
            s2 << QString("label_panDisplay") + p.strip[side];
            s3 << QString("dSB_faderDisplay%1").arg(p.number[side]);
        }
    }
    sends(s1, s2, "Master");
    s1 << "sW_master"
       << "pB_masterMute"
       << "pB_masterReverb"
       << "label_SendKnobReturn";
    s2 << "label_SendDisplayReturn";
    s3 << "dSB_faderDisplayMaster";
    for (const EffectKnob &e : kEffectKnobs) {
        s1 << e.knob();
        s4 << e.display();
    }
    for (const char *type : {"Hall", "Room", "Live", "Studio", "Plate"})
        s1 << QString("pB_Rev") + type;
    s1 << "label_RvbPicture"
       << "label_Reverb"
       << "label_LineOut1_Arrow_Pelvo"
       << "label_LineOut2_Arrow_Pelvo"
       << "pB_MoniconEnable";
    s7 << "cB_LineOut1_Pelvo"
       << "cB_LineOut2_Pelvo";
    for (int n = 1; n <= 8; ++n) {
        s1 << QString("label_LineOut%1_Arrow").arg(n);
        s7 << QString("cB_LineOut%1_Tarvik").arg(n);
    }
    for (int n = 3; n <= 20; ++n)
        s5 << QString("lineEdit_ch%1").arg(n);
    for (const StatusRow &r : kStatusGrid) {
        s6 << r.caption;
        s8 << r.value;
    }
    const QList<QPair<int, QStringList>> families = {
        {1, s1},
        {2, s2},
        {3, s3},
        {4, s4},
        {5, s5},
        {6, s6},
        {7, s7},
        {8, s8},
        {9,
         {"pB_ToInterfaceFromMixer", "pB_ToOutputFromMixer", "pB_ToMixerFromInterface",
          "pB_ToOutputFromInterface", "pB_ToInformationFromRoutingPelvo",
          "pB_ToMixerFromRoutingPelvo", "pB_ToMixerFromRoutingTarvik",
          "pB_ToInformationFromRoutingTarvik"}},
        {11, {"rB_Internal", "rB_Optical_A", "rB_Optical_B", "rB_Word"}},
        {12, {"label_Interface_Asio", "label_Interface_Ostrel", "label_Interface_App"}},
        {13, {"sW_channel1_2", "widget"}},
        {14, {"lineEdit_ch1", "lineEdit_ch2"}},
        {15, {"cB_Optical_A", "cB_Optical_B"}},
        {16, {"stackedWidget"}},
        {18, {"label_Compressor"}},
        {19, {"label_Equalizer"}},
        {21, {"label_BufferSizeDisp"}},
        {22, {"label_SampleClockSource"}},
        {23, {"label_BufferSizeTick"}},
        {24, {"label_MorvexURL"}},
    };
    for (const auto &family : families)
        QTest::addRow("S%d", family.first) << family.first << family.second;
}

// Each sheet is carried by exactly the widgets it is given to: none missing, none beside them.
void TestForm::sheetFamilies() {
    QFETCH(int, sheet);
    QFETCH(QStringList, objects);
    Form &f = shared();
    QSet<QString> carriers;
    for (QWidget *w : f.window.findChildren<QWidget *>())
        if (w->styleSheet() == QLatin1String(kSheets[sheet]))
            carriers.insert(w->objectName());
    const QSet<QString> expected(objects.begin(), objects.end());
    QCOMPARE(expected.size(), objects.size());
    QStringList missing = (expected - carriers).values(), extra = (carriers - expected).values();
    missing.sort();
    extra.sort();
    QVERIFY2(missing.isEmpty() && extra.isEmpty(),
             qPrintable(QString("without the sheet: %1; with it besides: %2")
                            .arg(missing.join(' '), extra.join(' '))));
}

// Only the start page decodes its picture while the window is built; each other page takes
// its picture when it is first shown, before it is painted.
void TestForm::laterPagesTakeTheirPicturesWhenShown() {
    Form f;
    QStackedWidget *stack = f.ui.stackedWidget;
    QCOMPARE(stack->currentWidget(), f.ui.Interface);
    QVERIFY(f.ui.Interface->styleSheet().contains("Tarvik_info_back.png"));
    const QList<QPair<QWidget *, QString>> later = {
        {f.ui.Mixer, "Tarvik_mixer_back.png"},
        {f.ui.Routing_Pelvo, "PELVO_ROUTING_back.png"},
        {f.ui.Routing_Tarvik, "Tarvik_ROUTING_back.png"}};
    for (const auto &page : later) {
        QVERIFY2(!page.first->styleSheet().contains("background-image"),
                 qPrintable(page.first->objectName()));
        // What lies on the page keeps its rules meanwhile.
        QVERIFY(!page.first->styleSheet().isEmpty());
    }
    for (const auto &page : later) {
        stack->setCurrentWidget(page.first);
        QVERIFY2(page.first->styleSheet().contains(page.second),
                 qPrintable(page.first->objectName()));
    }
}

void TestForm::texts_data() {
    QTest::addColumn<QString>("object");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("expected");
    const QString colon = QString(QChar(0xFF1A));
    auto row = [](const char *tag, const char *o, const char *p, const QString &e) {
        QTest::newRow(tag) << QString(o) << QByteArray(p) << e;
    };
    // Rows of a family, tagged by object and property.
    auto each = [](const QString &o, const char *p, const QString &e) {
        QTest::addRow("%s %s", qPrintable(o), p) << o << QByteArray(p) << e;
    };
    row("title", "MainWindow", "windowTitle", "MORVEX OLVANE Pelvo/Tarvik Settings Panel");
    row("first menu", "menuFile", "title", "View");
    row("about menu", "menuAbout", "title", "- About ...");
    for (int n = 1; n <= 10; ++n)
        for (const char *action : {"Save", "Load", "Rename"})
            each(QString("action%1_%2").arg(action).arg(n), "text", action);
    const char *const actions[][2] = {{"actionSettings_Reset", "Initialize"},
                                      {"actionMinimize", "Minimize"},
                                      {"actionClose", "Close"},
                                      {"actionInitialize_Memory", "Initialize Memory"},
                                      {"actionInitialize_Reverb", "Initialize Reverb"},
                                      {"actionSaveIntoTheUnit", "Save into the unit"},
                                      {"actionLicense", "License"},
                                      {"actionUpdate", "- Update"},
                                      {"actionProduct_Information", "Product Information"},
                                      {"actionFAQs", "FAQs"}};
    for (const auto &action : actions)
        each(action[0], "text", action[1]);

    // The value displays and fader boxes of every strip.
    const auto box = [&](const QString &name) {
        each(name, "specialValueText", "-infinity");
        each(name, "suffix", " dB");
    };
    const auto sends = [&](const QString &tag) {
        for (int k = 1; k <= 4; ++k)
            each(QString("label_Send%1Display%2").arg(k).arg(tag), "text", "0");
    };
    for (const Pair &p : kPairs) {
        for (int side = 0; side < 2; ++side) {
            each(QString("label_panDisplay") + p.strip[side], "text", "C");
            sends(p.strip[side]);
            box(QString("dSB_faderDisplay%1").arg(p.number[side]));
        }
        each(QString("label_panDisplay%1_L").arg(p.tag), "text", "C");
        each(QString("label_panDisplay%1_R").arg(p.tag), "text", "C");
        sends(p.tag);
        box(QString("dSB_faderDisplay") + p.fader);
    }
    sends("Master");
    each("label_SendDisplayReturn", "text", "0");
    box("dSB_faderDisplayMaster");
    row("mono button", "pB_Pre4_Adat8", "text", "");
    row("mono select", "pB_SPDIF1", "text", "");
    row("link on", "pB_LinkOnAdat1_2", "text", "");
    for (int n = 1; n <= 20; ++n) {
        const QString field = QString("lineEdit_ch%1").arg(n);
        each(field, "toolTip", kNameTip);
        each(field, "whatsThis", n == 1 ? "<html><head/><body><p><br/></p></body></html>" : "");
    }
    for (const EffectKnob &e : kEffectKnobs)
        each(e.display(), "text", e.text);
    row("graph", "label_Equalizer", "text", "");

    row("buffer caption", "label_AudioPeformance", "text", "Buffer Size " + colon);
    row("buffer value", "label_BufferSizeDisp", "text", "256 Samples");
    row("optical A", "rB_Optical_A", "text", "OPTICAL  A           Rate");
    row("optical B", "rB_Optical_B", "text", "OPTICAL  B          Rate");
    row("internal", "rB_Internal", "text", "INTERNAL");
    row("word", "rB_Word", "text", "WORD");
    row("clock caption", "label_SampleClockSource", "text", "Sample Clock Source " + colon);
    for (const StatusRow &r : kStatusGrid) {
        each(r.caption, "text", r.captionText);
        each(r.value, "text", r.valueText);
    }
    row("ticks", "label_BufferSizeTick", "text",
        "4             8           16          24           32           64        128         256 "
        "    "
        "   512       1024       2048");
    row("app", "label_Interface_App", "text", "MORVEX OLVANE Pelvo/Tarvik Settings Panel");
    row("page button", "pB_ToOutputFromInterface", "text", "");
    row("monitor button", "pB_MoniconEnable", "text", "");
    row("arrow", "label_LineOut6_Arrow", "text", "");
}

void TestForm::texts() {
    QFETCH(QString, object);
    QFETCH(QByteArray, property);
    QFETCH(QString, expected);
    Form &f = shared();
    QObject *o = object == "MainWindow" ? &f.window : f.window.findChild<QObject *>(object);
    QVERIFY(o);
    const QVariant v = o->property(property.constData());
    QVERIFY(v.isValid());
    QCOMPARE(v.toString(), expected);
}

void TestForm::emptyTextsKeepPictures() {
    Form &f = shared();
    // Every label-based control and every picture label: an empty text over its picture. The
    // graphs have no picture.
    const QSet<QString> controls{"ChannelControl", "PanControl", "DialControlSend", "DialControl"};
    const QSet<QString> graphs{"DrawEq", "DrawCompressor", "DrawReverb"};
    QList<QLabel *> pictures{f.ui.disable_back,
                             f.ui.enable_back,
                             f.ui.label_RvbPicture,
                             f.ui.label_ReverbDisable,
                             f.ui.label_LineOut1_Arrow_Pelvo,
                             f.ui.label_LineOut2_Arrow_Pelvo};
    for (int n = 1; n <= 8; ++n)
        pictures << f.get<QLabel>(QString("label_LineOut%1_Arrow").arg(n));
    const QImage sendKnob = image(":/Resource/track/knob_send/knob_L_700.png");
    const QImage pan = image(":/Resource/track/PAN.png");
    QMap<QString, int> seen;
    for (QLabel *l : f.window.findChildren<QLabel *>()) {
        const QString c = cls(l);
        if (controls.contains(c) || graphs.contains(c) || pictures.contains(l)) {
            ++seen[controls.contains(c) || graphs.contains(c) ? c : "picture"];
            QVERIFY2(l->text().isEmpty(), qPrintable(l->objectName()));
            QCOMPARE(l->pixmap(Qt::ReturnByValue).isNull(), graphs.contains(c));
        }
        // Every send knob on its first frame, every pan control on its picture.
        if (c == "DialControlSend" || c == "PanControl")
            QVERIFY2(labelImage(l) == (c == "PanControl" ? pan : sendKnob),
                     qPrintable(l->objectName()));
    }
    const QMap<QString, int> counts{
        {"ChannelControl", 31}, {"PanControl", 40}, {"DialControlSend", 125},
        {"DialControl", 18},    {"DrawEq", 1},      {"DrawCompressor", 1},
        {"DrawReverb", 1},      {"picture", 14}};
    QCOMPARE(seen, counts);
    // Only the radio buttons carry a text among the buttons.
    for (QAbstractButton *b : f.window.findChildren<QAbstractButton *>())
        if (!b->objectName().startsWith("qt_"))
            QCOMPARE(b->text().isEmpty(), !qobject_cast<QRadioButton *>(b));
    // The link: one anchor round one span, the address being the product's own.
    const QRegularExpression link(
        "^<html><head/><body><p><a href=\"[^\"]+\"><span style=\" font-size:16px; "
        "text-decoration: underline; color:#000000;\">Go MORVEX Web "
        "Site</span></a></p></body></html>$");
    QVERIFY2(link.match(f.ui.label_MorvexURL->text()).hasMatch(),
             qPrintable(f.ui.label_MorvexURL->text()));
    QVERIFY(f.ui.lineEdit_ch3->whatsThis().isEmpty());
}

void TestForm::comboItems() {
    Form f;
    auto items = [](QComboBox *c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    };
    QStringList pelvo{"INPUT 1", "INPUT 2"};
    for (int n = 1; n <= 8; ++n)
        pelvo << QString("OPT A%1").arg(n);
    pelvo << "MASTER L"
          << "MASTER R"
          << "AUX 1"
          << "AUX 2"
          << "AUX 3"
          << "AUX 4";
    for (int n = 1; n <= 4; ++n)
        pelvo << QString("COMPUTER %1").arg(n);
    QStringList tarvik;
    for (int n = 1; n <= 4; ++n)
        tarvik << QString("INPUT %1").arg(n);
    for (const char *port : {"A", "B"})
        for (int n = 1; n <= 8; ++n)
            tarvik << QString("OPT %1%2").arg(port).arg(n);
    tarvik << "MASTER L"
           << "MASTER R"
           << "AUX 1"
           << "AUX 2"
           << "AUX 3"
           << "AUX 4";
    for (int n = 1; n <= 10; ++n)
        tarvik << QString("COMPUTER %1").arg(n);

    QCOMPARE(items(f.ui.cB_LineOut1_Pelvo), pelvo);
    QCOMPARE(items(f.ui.cB_LineOut2_Pelvo), pelvo);
    QCOMPARE(f.ui.cB_LineOut1_Pelvo->currentIndex(), 10);
    QCOMPARE(f.ui.cB_LineOut2_Pelvo->currentText(), QString("MASTER R"));
    const int start[] = {20, 21, 22, 23, 24, 25, 26, 27};
    const char *startText[] = {"MASTER L", "MASTER R", "AUX 1",      "AUX 2",
                               "AUX 3",    "AUX 4",    "COMPUTER 1", "COMPUTER 2"};
    for (int n = 1; n <= 8; ++n) {
        auto *c = f.get<QComboBox>(QString("cB_LineOut%1_Tarvik").arg(n));
        QCOMPARE(items(c), tarvik);
        QCOMPARE(c->currentIndex(), start[n - 1]);
        QCOMPARE(c->currentText(), QString(startText[n - 1]));
    }
    const QStringList optical{"Auto -  MORVEX Device", "Manual -  44.1kHz / 48kHz",
                              "Manual -  88.2kHz / 96kHz", "Manual -  176.4kHz / 192kHz"};
    QCOMPARE(items(f.ui.cB_Optical_A), optical);
    QCOMPARE(items(f.ui.cB_Optical_B), optical);
    QCOMPARE(f.ui.cB_Optical_A->currentIndex(), 0);

    // The pass clears before it fills, so a second run leaves the same items.
    f.ui.retranslateUi(&f.window);
    QCOMPARE(items(f.ui.cB_LineOut3_Tarvik), tarvik);
    QCOMPARE(f.ui.cB_Optical_B->count(), 4);
}

void TestForm::lineOutListsShowTheirBoxColour_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("box");
    QTest::newRow("smaller model") << 2 << "cB_LineOut1_Pelvo";
    QTest::newRow("larger model") << 3 << "cB_LineOut8_Tarvik";
}

// The open list of a line output shows its items on the box's own grey: neither the page's
// picture behind them nor a light face under the box's white texts.
void TestForm::lineOutListsShowTheirBoxColour() {
    QFETCH(int, page);
    QFETCH(QString, box);
    Form f;
    f.ui.stackedWidget->setCurrentIndex(page);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    auto *combo = f.get<QComboBox>(box);
    QVERIFY(combo);
    combo->showPopup();
    QWidget *list = combo->view()->window();
    QTRY_VERIFY(list->isVisible());
    const QImage shot = list->grab().toImage().convertToFormat(QImage::Format_RGB32);
    combo->hidePopup();
    int grey = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            grey += shot.pixel(x, y) == qRgb(76, 76, 76);
    QVERIFY2(
        grey * 2 > shot.width() * shot.height(),
        qPrintable(QString("%1 of %2 pixels grey").arg(grey).arg(shot.width() * shot.height())));
}

// Each clock-source button, checked or not, draws its indicator over the page's plate.
void TestForm::radioIndicatorsShowOnThePage() {
    Form f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const QImage page = f.ui.Interface->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage plate =
        image(":/Resource/Tarvik_info_back.png").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(page.size(), plate.size());
    for (QRadioButton *radio :
         {f.ui.rB_Internal, f.ui.rB_Optical_A, f.ui.rB_Optical_B, f.ui.rB_Word}) {
        QStyleOptionButton option;
        option.initFrom(radio);
        const QRect own =
            radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
        const QRect r(radio->mapTo(f.ui.Interface, own.topLeft()), own.size());
        QVERIFY(!r.isEmpty());
        int drawn = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                drawn += page.pixel(x, y) != plate.pixel(x, y);
        QVERIFY2(drawn * 4 > r.width() * r.height(), qPrintable(QString("%1: %2 of %3 pixels drawn")
                                                                    .arg(radio->objectName())
                                                                    .arg(drawn)
                                                                    .arg(r.width() * r.height())));
    }
}

void TestForm::contextMenusHaveTheirFace_data() {
    QTest::addColumn<QString>("field");
    QTest::newRow("channel name") << "lineEdit_ch1";
    QTest::newRow("fader value") << "dSB_faderDisplay1";
}

// The context menu of a field on the mixer page has the face the toolkit gives the window's
// own menus, not the page's transparency (which shows whatever lies under the popup).
void TestForm::contextMenusHaveTheirFace() {
    QFETCH(QString, field);
    Form f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QWidget *widget = f.get<QWidget>(field);
    QVERIFY(widget);
    QLineEdit *edit = qobject_cast<QLineEdit *>(widget);
    if (!edit)
        edit = widget->findChild<QLineEdit *>();
    QVERIFY(edit);
    // The most frequent colour of a shown menu: its face.
    const auto face = [](QMenu *menu) {
        menu->popup(QPoint(0, 0));
        QTest::qWait(0);
        const QImage shot = menu->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        menu->hide();
        QHash<QRgb, int> count;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                ++count[shot.pixel(x, y)];
        QRgb best = 0;
        for (auto it = count.cbegin(); it != count.cend(); ++it)
            if (it.value() > count.value(best))
                best = it.key();
        return best;
    };
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    const QRgb expected = face(f.ui.menuFile);
    QCOMPARE(qAlpha(expected), 255);
    QCOMPARE(QColor(face(menu.get())), QColor(expected));
}

void TestForm::screenshots() {
    Form f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QDir().mkpath(OLVANE_FORM_SHOTS);
    const char *names[] = {"0-mixer", "1-interface", "2-routing-pelvo", "3-routing-tarvik"};
    for (int i = 0; i < 4; ++i) {
        f.ui.stackedWidget->setCurrentIndex(i);
        const QImage shot = f.window.grab().toImage();
        QCOMPARE(shot.size(), QSize(1260, 724));
        QVERIFY(shot.save(QString("%1/%2.png").arg(OLVANE_FORM_SHOTS, names[i])));
    }
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
