// The 15 arguments of the promoter library's mainfun: twelve 8-bit strings
// (the sixth a null pointer) and three integers.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace meridan {

class PromoterArguments {
public:
    // resultDir: where the library writes its four score files ("./results/").
    // usesAnnotationFile: false when the engines read the PTT file itself.
    static PromoterArguments build(const QString& resultDir, const QString& fnaPath,
                                   const QString& pttPath, const QString& rntPath,
                                   const QString& genomeId, bool usesAnnotationFile);

    const char* text(int index) const;   // arguments 0 to 11; 5 is a null pointer
    int number(int index) const;         // arguments 12 to 14
    // The versioned entry point's arguments: mainfun's 2, 3, 6, 8-11 and the
    // three numbers as text (the result folder is the context's).
    QList<QByteArray> entryArguments() const;
    QByteArray fnaDirectory() const { return texts_[3]; }
    QByteArray pttDirectory() const { return pttDirectory_; }
    QByteArray rntDirectory() const { return texts_[10]; }

private:
    std::array<QByteArray, 12> texts_;
    std::array<int, 3> numbers_{250, 100, 1};
    QByteArray pttDirectory_;
};

} // namespace meridan
