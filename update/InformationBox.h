// The update service's message window: a fixed 570 x 160 window with a rich-text message over
// a painted picture, two buttons and a check box. Its users set every text and connect the
// buttons themselves.
#pragma once

#include "ui_InformationBox.h"

#include <QWidget>

class InformationBox : public QWidget, public Ui::InformationBox {
    Q_OBJECT

public:
    explicit InformationBox(QWidget *parent = nullptr);
    ~InformationBox() override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
