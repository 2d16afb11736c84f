// The "DNA Line" window: a stretch of genome drawn as a straight line with a
// kilobase ruler, one coloured bar per gene on two alternating lanes, a
// numbered label per gene and a bracket under every operon of two or more
// genes.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QGraphicsScene;
class QGraphicsView;
class QGridLayout;

class DrawDNA : public QWidget {
    Q_OBJECT

public:
    // Returns the next raw pseudo-random value; the colour of a one-gene
    // operon's label takes three of them (red, green, blue, each modulo 256).
    using RandomSource = std::function<quint32()>;

    explicit DrawDNA(QWidget* parent = nullptr);
    ~DrawDNA() override;

    // Replaces the source of the random label colours (by default the
    // process-wide generator), so that a drawing can be reproduced.
    void setRandomSource(RandomSource source);
    // Convenience: a private generator seeded with the given value.
    void setRandomSeed(quint32 seed);

    QGraphicsScene* scene() const { return m_scene; }
    QGraphicsView* view() const { return m_view; }
    const QStringList& geneLabels() const { return m_geneLabels; }
    const QString& strands() const { return m_strands; }
    int operonCount() const { return m_operonCount; }

public slots:
    // geneCounts holds operonCount entries, the number of genes of each
    // operon; the genes are numbered across all operons, and firstTexts,
    // secondTexts, strands, starts and ends hold one entry per gene.
    // Every call replaces the previous drawing.
    void drawDNALine(int* geneCounts, QStringList firstTexts, QStringList secondTexts,
                     int operonCount, QString strands, int* starts, int* ends);

private:
    QGridLayout* m_layout = nullptr;
    QGraphicsView* m_view = nullptr;
    QGraphicsScene* m_scene = nullptr;
    QStringList m_geneLabels;
    QString m_strands;
    int m_operonCount = 0;
    RandomSource m_random;
};
