// Asks for the name of a scene memory. Every click of the button ends the dialog accepted;
// an empty field first shows a notice and keeps the name the dialog holds.
#pragma once

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class SceneMemoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit SceneMemoryDialog(QWidget *parent = nullptr);
    ~SceneMemoryDialog() override;

    QString getSceneMemoryText();

    QPushButton *okButton;
    QLineEdit *nameEdit;
    QString sceneName;
    QHBoxLayout *boxLayout;
    QLabel *promptLabel;

public slots:
    void decideClicked();
};
