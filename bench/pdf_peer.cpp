// The PDF printer's peer: a bare Qt program that draws lines of text into a
// PDF file with QPdfWriter and QPainter, one drawText a line, as a program
// without the component would. bench/pdf-vs-qt.sh runs it on the lines of a
// report against the component's PDF printer printing the same report.
//
//     bench_pdf_peer <lines file> <pdf file> <font family> <pixel size> <line height>
//                    <paper width> <paper length> <landscape> <resolution> <margin>
//
// The lines file is UTF-8 text, lines ending in CR LF; a line that begins
// with a form feed starts a new page (one alone at the end ends the last).
// Pixel size and line height are in device pixels, the paper in tenths of a
// millimetre (portrait) and turned when landscape is 1, the resolution in
// dots per inch, the margin (all round) in points.
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 11) {
        std::fprintf(stderr,
                     "usage: %s <lines file> <pdf file> <font family> <pixel size> <line height> <paper width> "
                     "<paper length> <landscape> <resolution> <margin>\n",
                     argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const int pixelSize = std::atoi(argv[4]);
    const int lineHeight = std::atoi(argv[5]);
    const double paperWidth = std::atof(argv[6]) / 10;
    const double paperLength = std::atof(argv[7]) / 10;
    const bool landscape = std::atoi(argv[8]) == 1;
    const int resolution = std::atoi(argv[9]);
    const double margin = std::atof(argv[10]);

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setResolution(resolution);
    writer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(paperWidth, paperLength), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                    landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(margin, margin, margin, margin), QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&writer)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    QFont font(QString::fromUtf8(argv[3]));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int ascent = qRound(QFontMetricsF(font).ascent());

    int y = 0;
    while (!in.atEnd()) {
        QByteArray line = in.readLine();
        if (line.endsWith('\n')) line.chop(1);
        if (line.endsWith('\r')) line.chop(1);
        if (line.startsWith('\f')) {
            line.remove(0, 1);
            // The form feed that ends the last page.
            if (line.isEmpty() && in.atEnd()) break;
            writer.newPage();
            y = 0;
        }
        painter.drawText(QPointF(0, y + ascent), QString::fromUtf8(line));
        y += lineHeight;
    }
    return painter.end() ? 0 : 1;
}
