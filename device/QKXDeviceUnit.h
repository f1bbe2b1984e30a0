// The USB worker: runs every transfer to the unit on a thread of its own, selects a device
// when it has none, follows every message with a read of the answer, and reports each
// outcome by queued signals.
#pragma once

#include "kxctl.h"

#include <QByteArray>
#include <QObject>

class QKXDeviceUnit : public QObject {
    Q_OBJECT
public:
    explicit QKXDeviceUnit(QObject *parent = nullptr);
    ~QKXDeviceUnit() override;

    void finish();
    void wait(unsigned long ms);
    bool check_is_selected();

signals:
    void kx_send_result(bool result);
    void kx_recv_result(bool result, QByteArray kxmsg_data);
    void ret_deselect(bool ret);
    void ret_is_selected(bool ret);
    void ret_select_default(bool ret);
    void finished();

public slots:
    void deselect();
    void is_selected();
    void select_default();
    void kx_send(QByteArray kxmsg_data);
    void kx_recv();

private:
    void select();

    kxctl_group_t group_;
    usbdevs_handle_t selected_{nullptr, 0};
    unsigned long long pause_ = 10;
};
