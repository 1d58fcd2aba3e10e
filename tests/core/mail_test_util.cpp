#include "mail_test_util.h"

#include <QTcpServer>

namespace korvo::test {

int closedPort() {
    ensureCoreApp();
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort(); // closed again when `server` goes
}

} // namespace korvo::test
