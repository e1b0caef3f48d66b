// Renders the dashboard's SVG pictures to PNG at build time.
//
//   trackora_svgrender SOURCE.svg SIZE OUTDIR NAME STATE...
//
// A button source is a pictogram on a 32 x 32 view box drawn in
// "currentColor"; each STATE writes OUTDIR/NAME_STATE.png with the state's
// face and ink below, so every button's states come from one table; a
// source whose root has class="round" gets a round face. The
// state "plain" writes OUTDIR/NAME.png from the source as it stands (the
// dials).
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

struct Look {
    const char *state;
    const char *face; // rounded backdrop, or nullptr for none
    double faceOpacity;
    const char *ink;
};

// The strip's background is rgb(44, 44, 52); the accent is rgb(38, 153, 238).
const Look kLooks[] = {
    {"normal", nullptr, 0, "rgb(196,196,206)"},
    {"hover", "rgb(255,255,255)", 0.10, "rgb(250,250,255)"},
    {"pressed", "rgb(0,0,0)", 0.35, "rgb(140,140,152)"},
    {"checked_normal", "rgb(38,153,238)", 1.0, "rgb(255,255,255)"},
    {"checked_hover", "rgb(92,182,246)", 1.0, "rgb(255,255,255)"},
    {"checked_pressed", "rgb(22,108,176)", 1.0, "rgb(214,232,248)"},
    {"disable", nullptr, 0, "rgb(84,84,94)"},
};

const Look *lookFor(const QString &state)
{
    for (const Look &look : kLooks) {
        if (state == QLatin1String(look.state))
            return &look;
    }
    return nullptr;
}

QString rootTag(const QString &svg)
{
    const int open = svg.indexOf(QLatin1String("<svg"));
    const int close = open < 0 ? -1 : svg.indexOf(QLatin1Char('>'), open);
    return close < 0 ? QString() : svg.mid(open, close - open + 1);
}

// The pictogram's drawing: everything inside its root element.
QString innerOf(const QString &svg)
{
    const int open = svg.indexOf(QLatin1String("<svg"));
    const int start = open < 0 ? -1 : svg.indexOf(QLatin1Char('>'), open);
    const int end = svg.lastIndexOf(QLatin1String("</svg>"));
    if (start < 0 || end <= start)
        return QString();
    return svg.mid(start + 1, end - start - 1);
}

QString buttonSvg(const QString &drawing, bool round, const Look &look)
{
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
                                 "width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">");
    if (look.face) {
        const QString shape = round ? QStringLiteral("<circle cx=\"16\" cy=\"16\" r=\"15.5\" ")
                                    : QStringLiteral("<rect x=\"1\" y=\"1\" width=\"30\" height=\"30\" rx=\"7\" ry=\"7\" ");
        svg += shape + QStringLiteral("fill=\"%1\" fill-opacity=\"%2\"/>").arg(QLatin1String(look.face)).arg(look.faceOpacity);
    }
    svg += QStringLiteral("<g color=\"%1\">").arg(QLatin1String(look.ink)) + drawing + QStringLiteral("</g></svg>");
    return svg;
}

bool render(const QByteArray &svg, int size, const QString &path)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svgrender: not a valid picture for %s\n", qPrintable(path));
        return false;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "svgrender: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The offscreen platform's note about a missing runtime folder is noise in a build log.
    if (type == QtWarningMsg && message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "svgrender: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    // Text in the dials needs fonts, hence an application, but never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 6) {
        std::fprintf(stderr, "usage: %s SOURCE.svg SIZE OUTDIR NAME STATE...\n", argv[0]);
        return 2;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "svgrender: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString source = QString::fromUtf8(file.readAll());
    bool sizeOk = false;
    const int size = args.at(2).toInt(&sizeOk);
    if (!sizeOk || size <= 0 || size > 4096) {
        std::fprintf(stderr, "svgrender: bad size %s\n", qPrintable(args.at(2)));
        return 2;
    }
    const QDir outDir(args.at(3));
    if (!outDir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "svgrender: cannot create %s\n", qPrintable(args.at(3)));
        return 1;
    }
    const QString name = args.at(4);
    const QString drawing = innerOf(source);
    const bool round = rootTag(source).contains(QLatin1String("class=\"round\""));

    for (int i = 5; i < args.size(); ++i) {
        const QString state = args.at(i);
        if (state == QLatin1String("plain")) {
            if (!render(source.toUtf8(), size, outDir.filePath(name + QStringLiteral(".png"))))
                return 1;
            continue;
        }
        const Look *look = lookFor(state);
        if (!look || drawing.isEmpty()) {
            std::fprintf(stderr, "svgrender: no look %s or no drawing in %s\n", qPrintable(state),
                         qPrintable(args.at(1)));
            return 2;
        }
        const QString path = outDir.filePath(name + QLatin1Char('_') + state + QStringLiteral(".png"));
        if (!render(buttonSvg(drawing, round, *look).toUtf8(), size, path))
            return 1;
    }
    return 0;
}
