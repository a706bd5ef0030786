#include "app/in_process_host.h"

quint16 InProcessHost::open(const QString& portName, HostReach reach) {
    close();
    auto server = std::make_unique<TServer>(options_);
    server->Sock1().setPortName(portName);
    if (reach == HostReach::ThisComputer)
        server->Sock1().setHostName(QStringLiteral("127.0.0.1"));
    server->Sock1().setListen(true); // throws when the port is taken: no table then
    server_ = std::move(server);
    return server_->Sock1().localPort();
}
