// Chooses the arrow picture that shows a line output's source on the routing pages.
#pragma once

#include <QWidget>

class QLabel;

class LineOut : public QWidget {
    Q_OBJECT
public:
    explicit LineOut(QWidget *parent = nullptr);

    // Each sets the picture of the source index on the label; an index outside the model's
    // list leaves the label as it was.
    void setLineOut_Pelvo(QLabel *label, int index);
    void setLineOut_Tarvik(QLabel *label, int index);
    void setLineOutAudioInterfaceMode(QLabel *label, int index);
    void setLineOutDigitalMixerMode(QLabel *label, int index);

    // The picture path of an index, empty outside the list.
    static QString pelvoPicture(int index);
    static QString tarvikPicture(int index);
    static QString audioInterfaceModePicture(int index);
    static QString digitalMixerModePicture(int index);
};
