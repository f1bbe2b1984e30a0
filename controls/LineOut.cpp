// Line-out arrows: one table of index ranges per picture set.
#include "LineOut.h"

#include "Artwork.h"

#include <QLabel>

#include <initializer_list>

namespace {

// Indexes first..last show pattern with %1 running from 1 (a pattern without %1 is one file).
struct Range {
    int first, last;
    const char *pattern;
};
using Ranges = std::initializer_list<Range>;

const Ranges kPelvo = {{0, 9, ":Resource/arrow_AD/arrow_AD-%1.png"},
                       {10, 10, ":Resource/arrow_ST/arrow_ST-L.png"},
                       {11, 11, ":Resource/arrow_ST/arrow_ST-R.png"},
                       {12, 15, ":Resource/arrow_AUX/arrow_AUX-%1.png"},
                       {16, 19, ":Resource/arrow_comp/arrow_comp-%1.png"}};

const Ranges kTarvik = {{0, 19, ":Resource/arrow_AD/arrow_AD-%1.png"},
                        {20, 20, ":Resource/arrow_ST/arrow_ST-L.png"},
                        {21, 21, ":Resource/arrow_ST/arrow_ST-R.png"},
                        {22, 25, ":Resource/arrow_AUX/arrow_AUX-%1.png"},
                        {26, 35, ":Resource/arrow_comp/arrow_comp-%1.png"}};

const Ranges kAudioInterface = {{0, 0, ":Resource/arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_master-L.png"},
                                {1, 1, ":Resource/arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_master-R.png"},
                                {2, 5, ":Resource/arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_aux%1.png"},
                                {6, 25, ":Resource/arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_cp%1.png"}};

const Ranges kDigitalMixer = {
    {0, 0, ":Resource/arrow_Gorsa_D-Mixer/arrow_Gorsa_D-Mixer_mauster-L.png"},
    {1, 1, ":Resource/arrow_Gorsa_D-Mixer/arrow_Gorsa_D-Mixer_mauster-R.png"},
    {2, 5, ":Resource/arrow_Gorsa_D-Mixer/arrow_Gorsa_D-Mixer_aux%1.png"},
    {6, 6, ":Resource/arrow_Gorsa_D-Mixer/arrow_Gorsa_D-Mixer_solo-L.png"},
    {7, 7, ":Resource/arrow_Gorsa_D-Mixer/arrow_Gorsa_D-Mixer_solo-R.png"}};

QString pictureOf(Ranges ranges, int index) {
    for (const Range &r : ranges)
        if (index >= r.first && index <= r.last) {
            const QString pattern = QLatin1String(r.pattern);
            return pattern.contains(QLatin1String("%1")) ? pattern.arg(index - r.first + 1)
                                                         : pattern;
        }
    return QString();
}

void showPicture(QLabel *label, const QString &path) {
    if (label && !path.isEmpty())
        label->setPixmap(artwork::pixmap(path));
}

} // namespace

LineOut::LineOut(QWidget *parent) : QWidget(parent) {}

QString LineOut::pelvoPicture(int index) {
    return pictureOf(kPelvo, index);
}
QString LineOut::tarvikPicture(int index) {
    return pictureOf(kTarvik, index);
}
QString LineOut::audioInterfaceModePicture(int index) {
    return pictureOf(kAudioInterface, index);
}
QString LineOut::digitalMixerModePicture(int index) {
    return pictureOf(kDigitalMixer, index);
}

void LineOut::setLineOut_Pelvo(QLabel *label, int index) {
    showPicture(label, pelvoPicture(index));
}
void LineOut::setLineOut_Tarvik(QLabel *label, int index) {
    showPicture(label, tarvikPicture(index));
}
void LineOut::setLineOutAudioInterfaceMode(QLabel *label, int index) {
    showPicture(label, audioInterfaceModePicture(index));
}
void LineOut::setLineOutDigitalMixerMode(QLabel *label, int index) {
    showPicture(label, digitalMixerModePicture(index));
}
