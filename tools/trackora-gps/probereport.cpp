#include "probereport.h"

#include "computeInfo.h"

#include <QJsonArray>

namespace {
QJsonObject codecReport(const VaDecodeQuery::Codec &codec)
{
    QJsonObject o{{QStringLiteral("decode"), codec.decode}};
    if (codec.maxWidth > 0)
        o.insert(QStringLiteral("maxWidth"), codec.maxWidth);
    if (codec.maxHeight > 0)
        o.insert(QStringLiteral("maxHeight"), codec.maxHeight);
    return o;
}
} // namespace

QJsonObject probeReport(const ComputeInfo &info)
{
    QJsonArray adapters;
    const QStringList names = info.cardNames().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &name : names)
        adapters.append(name);

    const VaDecodeQuery &va = info.decodeInterface();
    QJsonObject decodeInterface{
        {QStringLiteral("api"), QStringLiteral("VA-API")},
        {QStringLiteral("answered"), va.answered},
        {QStringLiteral("status"), va.status},
        {QStringLiteral("renderNode"), va.renderNode.isEmpty() ? QJsonValue() : QJsonValue(va.renderNode)},
    };
    if (va.answered) {
        decodeInterface.insert(QStringLiteral("driver"), va.driver);
        decodeInterface.insert(QStringLiteral("h264"), codecReport(va.h264));
        decodeInterface.insert(QStringLiteral("h265"), codecReport(va.h265));
    }
    return QJsonObject{
        {QStringLiteral("cpu"), info.cpuName()},
        {QStringLiteral("adapters"), adapters},
        {QStringLiteral("isHDDecodeH264"), info.isHDDecodeH264()},
        {QStringLiteral("isHDDecodeH265"), info.isHDDecodeH265()},
        {QStringLiteral("mCpuLevelH"), info.mCpuLevelH()},
        {QStringLiteral("decodeInterface"), decodeInterface},
    };
}
