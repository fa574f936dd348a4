#pragma once

#include <QString>
#include <functional>

// The machine tag: the computer's name, at most 30 characters (the width of
// Maquina), "Desconocida" when the name cannot be read. Read once at start-up.
QString machineTag();
QString machineTag(const std::function<QString()>& hostName);
