// Runs the stand-in service as a program for trying the application by hand:
//   fake_service [--latency MS] [--test-mode] [--no-device] [--ai-off]
// It prints its base URL (use it as VT_SERVER_URL) and an account with an email, and logs every
// request with the codes it "mails".
#include "FakeService.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local stand-in for the Veltrane web service"));
    parser.addHelpOption();
    const QCommandLineOption latency(QStringLiteral("latency"), QStringLiteral("Delay of every reply in ms."),
                                     QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption testMode(QStringLiteral("test-mode"), QStringLiteral("AI check without a sign-in."));
    const QCommandLineOption noDevice(QStringLiteral("no-device"), QStringLiteral("Offer no device accounts."));
    const QCommandLineOption aiOff(QStringLiteral("ai-off"), QStringLiteral("Answer the AI check with \"ai-off\"."));
    parser.addOptions({latency, testMode, noDevice, aiOff});
    parser.process(app);

    vt::test::FakeService service;
    service.latencyMs = parser.value(latency).toInt();
    service.testMode = parser.isSet(testMode);
    service.deviceAccounts = !parser.isSet(noDevice);
    service.aiOn = !parser.isSet(aiOff);
    if (!service.start()) {
        qCritical("cannot listen on 127.0.0.1");
        return 1;
    }
    service.addAccount(QStringLiteral("demo@example.com"), QStringLiteral("password123"));

    QTextStream out(stdout);
    out << service.url().toString() << Qt::endl;
    // The application makes a device account here by itself; this one has an email to link to it.
    out << "# an account with an email: demo@example.com (password password123); the codes this service mails"
           " are printed below"
        << Qt::endl;
    QObject::connect(&service.server(), &vt::test::TestHttpServer::requestReceived, &service,
                     [&out, &service](const vt::test::HttpRequest &r) {
        out << r.method << ' ' << r.path;
        const QString email = r.json().toObject().value(QStringLiteral("email")).toString();
        if (r.path.endsWith(QLatin1String("/email/start")) && !email.isEmpty()) {
            // The code is made while the request is handled, just after this signal.
            QMetaObject::invokeMethod(
                &service,
                [&out, &service, email] {
                out << "  code for " << email << ": " << service.codeFor(email) << Qt::endl;
                },
                Qt::QueuedConnection);
        }
        out << Qt::endl;
    });
    return app.exec();
}
