#pragma once
// A web server on 127.0.0.1 with a port of its own, in a thread of its own,
// answering every request the same canned way: the description file, an
// error, silence, a trickle, an endless body or a redirect. It takes a few
// connections at most and ends with the test.

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class LocalHttpServer {
public:
    enum class Answer {
        Serve, // 200 with the body
        NotFound, // 404 with the body
        Stall, // reads the request and says nothing
        Trickle, // 200, then a byte every 20 ms
        HugeDeclared, // 200 announcing a body above the limit
        HugeUndeclared, // 200, then more bytes than the limit and a close
        Redirect, // 301 to the same server
    };

    explicit LocalHttpServer(Answer answer, QByteArray body = {})
        : answer_(answer)
        , body_(std::move(body))
    {
        std::promise<quint16> port;
        std::future<quint16> ready = port.get_future();
        thread_ = std::make_unique<ServerThread>([this, &port](ServerThread& thread) { Run(thread, port); });
        thread_->start();
        port_ = ready.get();
    }
    ~LocalHttpServer()
    {
        thread_->quit();
        thread_->wait();
        // Also orders the thread's last notice before the end for the thread
        // sanitizer, which does not see inside Qt's join.
        std::lock_guard lock(mutex_);
    }

    QString BaseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    // The heads of the requests received so far.
    std::vector<std::string> Requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    // Waits (a generous minute at most) until a request has come in.
    bool WaitForRequest() const
    {
        std::unique_lock lock(mutex_);
        return received_.wait_for(lock, std::chrono::seconds(60), [this] { return !requests_.empty(); });
    }

    // A loopback address nobody listens on: the port of a server just closed.
    static QString RefusingUrl()
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        const quint16 port = server.serverPort();
        server.close();
        return QStringLiteral("http://127.0.0.1:%1").arg(port);
    }

private:
    static constexpr int MAX_CONNECTIONS = 4;
    static constexpr int TRICKLE_BYTES = 3000; // a minute at most

    class ServerThread : public QThread {
    public:
        explicit ServerThread(std::function<void(ServerThread&)> body)
            : body_(std::move(body))
        {
        }
        int Exec() { return exec(); }

    protected:
        void run() override { body_(*this); }

    private:
        std::function<void(ServerThread&)> body_;
    };

    void Run(ServerThread& thread, std::promise<quint16>& port)
    {
        QTcpServer server;
        server.setMaxPendingConnections(MAX_CONNECTIONS);
        server.listen(QHostAddress::LocalHost, 0);
        int connections = 0;
        QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                socket->setParent(&server);
                if (++connections >= MAX_CONNECTIONS)
                    server.close();
                auto* head = new QByteArray;
                QObject::connect(socket, &QObject::destroyed, [head] { delete head; });
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
                    head->append(socket->readAll());
                    if (!head->contains("\r\n\r\n") || head->isEmpty())
                        return;
                    {
                        std::lock_guard lock(mutex_);
                        requests_.push_back(head->toStdString());
                        received_.notify_all();
                    }
                    head->clear();
                    Respond(socket);
                });
            }
        });
        port.set_value(server.serverPort());
        thread.Exec();
    }

    void Respond(QTcpSocket* socket)
    {
        auto finish = [socket](const QByteArray& bytes) {
            socket->write(bytes);
            socket->disconnectFromHost();
        };
        switch (answer_) {
        case Answer::Serve:
            finish("HTTP/1.1 200 OK\r\nContent-Type: application/xml\r\nContent-Length: "
                + QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
            break;
        case Answer::NotFound:
            finish("HTTP/1.1 404 Not Found\r\nContent-Length: " + QByteArray::number(body_.size())
                + "\r\nConnection: close\r\n\r\n" + body_);
            break;
        case Answer::Stall:
            break;
        case Answer::Trickle: {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(TRICKLE_BYTES) + "\r\n\r\n");
            auto* timer = new QTimer(socket);
            auto* sent = new int(0);
            QObject::connect(timer, &QObject::destroyed, [sent] { delete sent; });
            QObject::connect(timer, &QTimer::timeout, socket, [timer, socket, sent] {
                socket->write("x");
                if (++*sent >= TRICKLE_BYTES)
                    timer->stop();
            });
            timer->start(20);
            break;
        }
        case Answer::HugeDeclared:
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 10000001\r\n\r\n");
            socket->write(QByteArray(1 << 16, 'x'));
            break;
        case Answer::HugeUndeclared:
            finish("HTTP/1.0 200 OK\r\n\r\n" + QByteArray(10'000'001, 'x'));
            break;
        case Answer::Redirect:
            finish("HTTP/1.1 301 Moved Permanently\r\nLocation: " + BaseUrl().toUtf8()
                + "/new/patch.xml\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            break;
        }
    }

    const Answer answer_;
    const QByteArray body_;
    std::unique_ptr<ServerThread> thread_;
    quint16 port_ = 0;
    mutable std::mutex mutex_;
    mutable std::condition_variable received_;
    std::vector<std::string> requests_;
};
