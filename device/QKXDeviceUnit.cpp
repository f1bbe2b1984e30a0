#include "QKXDeviceUnit.h"

#include <QThread>

#include <algorithm>
#include <cstring>

QKXDeviceUnit::QKXDeviceUnit(QObject *parent) : QObject(parent) {
    pause_ = 10;
    // Runs on the constructing thread, so arrival and removal are reported on its run loop.
    kxctl_group_init(&group_);
    select();
}

QKXDeviceUnit::~QKXDeviceUnit() {
    kxctl_group_fini(&group_);
}

void QKXDeviceUnit::select() {
    selected_ = usbdevs_handle_t{nullptr, 0};
    emit ret_deselect(true);
    kxctl_group_get_init(&group_);
    usbdevs_handle_t found{nullptr, 0};
    const bool ok = kxctl_group_get_kx(&group_, &found) == 0;
    if (ok)
        selected_ = found;
    emit ret_select_default(ok);
}

void QKXDeviceUnit::deselect() {
    selected_ = usbdevs_handle_t{nullptr, 0};
    emit ret_deselect(true);
}

void QKXDeviceUnit::is_selected() {
    if (!selected_.slot)
        select();
    emit ret_is_selected(selected_.slot != nullptr);
}

bool QKXDeviceUnit::check_is_selected() {
    if (!selected_.slot)
        select();
    return selected_.slot != nullptr;
}

void QKXDeviceUnit::select_default() {
    select();
}

void QKXDeviceUnit::kx_send(QByteArray kxmsg_data) {
    uint8_t buffer[KXCTL_MSG_MAX] = {};
    const uint8_t length = uint8_t(std::min<int>(kxmsg_data.size(), KXCTL_MSG_MAX));
    std::memcpy(buffer, kxmsg_data.constData(), length);
    kxmsg_t msg{buffer, length, length};

    if (!selected_.slot)
        select();
    const bool result = selected_.slot && kxctl_send(&selected_, &msg) == 0;
    emit kx_send_result(result);
    QThread::msleep(pause_);
    kx_recv();
}

void QKXDeviceUnit::kx_recv() {
    uint8_t buffer[KXCTL_MSG_MAX] = {};
    kxmsg_t msg;
    kxmsg_init(&msg, buffer, KXCTL_MSG_MAX);
    if (!selected_.slot)
        select();
    const bool result = selected_.slot && kxctl_recv(&selected_, &msg) == 0;
    emit kx_recv_result(result, QByteArray(reinterpret_cast<const char *>(buffer), KXCTL_MSG_MAX));
    QThread::msleep(pause_);
}

void QKXDeviceUnit::finish() {
    emit finished();
}

void QKXDeviceUnit::wait(unsigned long ms) {
    QThread::msleep(ms ? ms : pause_);
}
