#pragma once

#include <QJsonObject>

class ComputeInfo;

// The decode capability probe as one JSON object, so a user can see why the
// viewer refuses a large H.264/H.265 file.
QJsonObject probeReport(const ComputeInfo &info);
