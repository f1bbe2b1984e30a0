// Scene naming dialog.
#include "SceneMemoryDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

SceneMemoryDialog::SceneMemoryDialog(QWidget *parent) : QDialog(parent) {
    promptLabel = new QLabel(tr("Enter the name of this SceneMemory:"));
    nameEdit = new QLineEdit;
    okButton = new QPushButton(tr("&OK"));
    sceneName = QStringLiteral("Empty Name");
    boxLayout = new QHBoxLayout;
    boxLayout->addWidget(promptLabel);
    boxLayout->addWidget(nameEdit);
    boxLayout->addWidget(okButton);
    setLayout(boxLayout);
    setWindowTitle(tr("Rename the SceneMemory"));
    // Both run on one click, the name first.
    connect(okButton, &QPushButton::clicked, this, &SceneMemoryDialog::decideClicked);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

SceneMemoryDialog::~SceneMemoryDialog() {
    delete boxLayout;
    delete okButton;
    delete nameEdit;
    delete promptLabel;
}

QString SceneMemoryDialog::getSceneMemoryText() {
    return sceneName;
}

void SceneMemoryDialog::decideClicked() {
    const QString text = nameEdit->text();
    if (!text.isEmpty()) {
        sceneName = text;
        nameEdit->clear();
        hide();
        return;
    }
    QMessageBox::information(this, tr("Enpty Field"), tr("Please enter the name"), QMessageBox::Ok);
}
