// Channel strips: track tables, selection of the channel the shared knobs edit, the strip
// buttons, the pan drag and the label fader path.
#include "ChannelControl.h"

#include "Artwork.h"
#include "ControlTables.h"

#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

using namespace controltables;

namespace {

// Per strip kind: the fader cap's x inside its strip and the position that pans to centre.
struct StripKind {
    unsigned char faderX;
    unsigned char panCentre;
};
constexpr StripKind stripKindTable[4] = {{12, 20}, {71, 79}, {35, 0}, {26, 0}};

// Drag state of the pan and fader controls, shared by every strip. Pointer coordinates are
// signed: a screen left of or above the primary one gives negative values.
int ccPress_x = 0;
int ccPress_y = 0;
unsigned short ccMovement = 0;

const QString kNone = QStringLiteral("none");
const QString kNotStereo = QStringLiteral("NotStereo");

int indexOfName(const QString &name) {
    const auto begin = std::begin(ChannelControl::trackName);
    const auto end = std::end(ChannelControl::trackName);
    const auto it = std::find(begin, end, name);
    return it == end ? -1 : int(it - begin);
}

} // namespace

const QString ChannelControl::trackName[30] = {
    QStringLiteral("Track1"),     QStringLiteral("Track2"),     QStringLiteral("Track3"),
    QStringLiteral("Track4"),     QStringLiteral("Track5"),     QStringLiteral("Track6"),
    QStringLiteral("Track7"),     QStringLiteral("Track8"),     QStringLiteral("Track9"),
    QStringLiteral("Track10"),    QStringLiteral("Track11"),    QStringLiteral("Track12"),
    QStringLiteral("Track13"),    QStringLiteral("Track14"),    QStringLiteral("Track15"),
    QStringLiteral("Track16"),    QStringLiteral("Track17"),    QStringLiteral("Track18"),
    QStringLiteral("Track19"),    QStringLiteral("Track20"),    QStringLiteral("Track1_2"),
    QStringLiteral("Track3_4"),   QStringLiteral("Track5_6"),   QStringLiteral("Track7_8"),
    QStringLiteral("Track9_10"),  QStringLiteral("Track11_12"), QStringLiteral("Track13_14"),
    QStringLiteral("Track15_16"), QStringLiteral("Track17_18"), QStringLiteral("Track19_20")};

const unsigned char ChannelControl::trackNum[30] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                    10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                                                    0,  2,  4,  6,  8,  10, 12, 14, 16, 18};

QString ChannelControl::selectedCh = QStringLiteral("none");

ChannelControl::ChannelControl(QWidget *parent) : QLabel(parent) {}

// --- selection ----------------------------------------------------------------------------

void ChannelControl::clicked_channel(bool checked) {
    if (checked)
        setSelectedChannel();
    else
        clearSelectedChannel();
    dm.notifyTrackSelect(trackCh, checked);
}

void ChannelControl::clicked_channel_st(bool checked) {
    if (checked)
        setSelectedChannel_st();
    else
        clearSelectedChannel_st();
    dm.notifyTrackSelect(stereoCh, checked);
}

void ChannelControl::setSelectedChannel() {
    select(false);
}
void ChannelControl::setSelectedChannel_st() {
    select(true);
}
void ChannelControl::clearSelectedChannel() {
    clearSelection(false);
}
void ChannelControl::clearSelectedChannel_st() {
    clearSelection(true);
}

void ChannelControl::initSelectedChannel() {
    clearSelection(stereoSelected);
}

void ChannelControl::select(bool stereo) {
    const QPixmap picture =
        artwork::pixmap(stereo ? QStringLiteral(":Resource/track/TrackLink_1.png")
                               : QStringLiteral(":Resource/track/Tarvik_track_1.png"));
    // The old selection goes back to the picture of its own kind.
    clearSelection(stereoSelected);
    selectedCh = stereo ? stereoCh : trackCh;
    if (stripLabel)
        stripLabel->setPixmap(picture);
    emit signal_setLowCutFilterEnable();
    if (!stereo)
        emit signal_doCompressorRepaint();
    stereoSelected = stereo;
}

void ChannelControl::clearSelection(bool stereo) {
    const QPixmap picture =
        artwork::pixmap(stereo ? QStringLiteral(":Resource/track/TrackLink_0.png")
                               : QStringLiteral(":Resource/track/Tarvik_track_0.png"));
    selectedCh = kNone;
    emit signal_setLowCutFilterDisable();
    if (prevStripLabel) {
        prevStripLabel->setPixmap(picture);
        if (prevSelectButton)
            prevSelectButton->setChecked(false);
    }
}

// --- name maps ----------------------------------------------------------------------------

void ChannelControl::exchangeChannel(QString name, unsigned char &index) {
    const int i = indexOfName(name);
    index = i < 0 ? 255 : trackNum[i];
}

unsigned char ChannelControl::exChangeToChParam(QString name) {
    const int i = indexOfName(name);
    if (i >= 0)
        return (unsigned char)(trackNum[i] + 1);
    if (name == QLatin1String("TrackMaster"))
        return 21;
    if (name == QLatin1String("Reverb"))
        return 22;
    return 255;
}

QString ChannelControl::exChangeToMonoOdd(QString pair) {
    const int i = indexOfName(pair);
    return i < 20 ? kNotStereo : trackName[trackNum[i]];
}

QString ChannelControl::exChangeToMonoEven(QString pair) {
    const int i = indexOfName(pair);
    return i < 20 ? kNotStereo : trackName[trackNum[i] + 1];
}

bool ChannelControl::queryIsSelectedChEqOn() {
    unsigned char n;
    exchangeChannel(selectedCh, n);
    return n < 20 && eqCache[n].eqOn;
}

bool ChannelControl::queryIsSelectedChCompOn() {
    unsigned char n;
    exchangeChannel(selectedCh, n);
    return n < 20 && compCache[n].compOn;
}

// --- strip buttons and pan ----------------------------------------------------------------

void ChannelControl::clicked_phase(bool on) {
    dm.notifyTrackPhase(trackCh, on);
    dm.notifyTrackPhase(stereoCh, on);
}

void ChannelControl::clicked_solo(bool on) {
    dm.notifyTrackSolo(trackCh, on);
}

void ChannelControl::clicked_mute(bool on) {
    dm.notifyTrackMute(trackType == kTrackMaster ? stereoCh : trackCh, on);
}

QString ChannelControl::calPanExchangeValue(short position) {
    return panText(position);
}

void ChannelControl::panKnob_Pressed(QMouseEvent *event) {
    ccPress_x = roundHalfUp(event->screenPos().x());
    ccMovement = dm.getTrackPanPosition(trackCh, trackType);
}

void ChannelControl::panKnob_Moved(QMouseEvent *event) {
    const int x = roundHalfUp(event->screenPos().x());
    panHelper.calPanPosition(&ccMovement, ccPress_x, x);
    if (trackType == kTrackOdd) {
        if (ccMovement >= 41)
            ccMovement = 40;
    } else {
        if (ccMovement >= 100)
            ccMovement = 99;
        if (ccMovement <= 58)
            ccMovement = 59;
    }
    ccPress_x = x;
    showPan(ccMovement);
}

// The drag goes on from the centre when the button stays down after the second click.
void ChannelControl::panKnob_DoubleClicked() {
    ccMovement = stripKindTable[trackType == kTrackOdd ? 0 : 1].panCentre;
    showPan(ccMovement);
}

// Both indicators of the channel (mono strip and the same side of the stereo strip) show the
// same pan; the store sends it.
void ChannelControl::showPan(unsigned short position) {
    const QString text = calPanExchangeValue(short(position));
    panHelper.setPanPosition(panKnob, position, 336);
    panHelper.setPanPosition(panKnobSt, position, 336);
    panHelper.setPanValue(panDisplay, text);
    panHelper.setPanValue(panDisplaySt, text);
    dm.notifyTrackPan(trackCh, position, text);
    const bool centre = position == stripKindTable[trackType == kTrackOdd ? 0 : 1].panCentre;
    const QPixmap picture = artwork::pixmap(centre ? QStringLiteral(":Resource/track/PAN.png")
                                                   : QStringLiteral(":Resource/track/PAN_c.png"));
    for (PanControl *knob : {panKnob, panKnobSt})
        if (knob)
            knob->setPixmap(picture);
}

// --- label fader --------------------------------------------------------------------------

QString ChannelControl::faderName() const {
    return trackType == kTrackOdd || trackType == kTrackEven ? trackCh : stereoCh;
}

void ChannelControl::placeFader(unsigned short row) {
    faderHelper.setFaderPosition(faderKnob, stripKindTable[trackType].faderX, row);
}

void ChannelControl::faderKnob_Pressed(QMouseEvent *event) {
    ccPress_y = roundHalfUp(event->screenPos().y());
    ccMovement = dm.getTrackFaderPosition(faderName());
}

void ChannelControl::faderKnob_Moved(QMouseEvent *event) {
    const int y = roundHalfUp(event->screenPos().y());
    faderHelper.calFaderPosition(&ccMovement, ccPress_y, y);
    placeFader(ccMovement);
    const QString text = faderHelper.setFaderValue(faderValue, ccMovement);
    ccPress_y = y;
    dm.notifyTrackFader(faderName(), ccMovement, text);
}

void ChannelControl::faderKnob_DoubleClicked() {
    ccMovement = kFaderZeroRow;
    placeFader(ccMovement);
    faderHelper.setFaderValue(faderValue, ccMovement);
    dm.notifyTrackFader(faderName(), kFaderZeroRow, QStringLiteral("  0.0 dB"));
}

void ChannelControl::faderKnob_SetPosition(QString text) {
    ccMovement = faderHelper.searchFaderPosition(text);
    placeFader(ccMovement);
    dm.notifyTrackFader(faderName(), ccMovement, text);
}
