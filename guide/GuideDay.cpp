#include "GuideDay.h"

#include "db/DisplayFormat.h"
#include "db/FarmParameters.h"

#include <QStringList>
#include <stdexcept>

namespace {

constexpr int kFieldCount = 21;
constexpr int kFirstFlag = 3;
constexpr int kFirstNumber = kFirstFlag + kGuideTaskCount;

struct TaskCaptions {
    const char* list;
    const char* edit;
};

const TaskCaptions kCaptions[kGuideTaskCount] = {
    {"Pinchazo Ciclización", "Pinchazo Ciclización"},
    {"Cubriciones", "Cubriciones"},
    {"Palpaciones", "Palpaciones"},
    {"Nidales", "Nidales"},
    {"Partos", "Partos"},
    {"Revisión Nidos", "Revisión Nidos"},
    {"Retirar Nidales", "Retirar nidales"},
    {"Destetes", "Destetes"},
    {"Movimiento Cebadero", "Movimiento Cebadero"},
    {"Traslados", "Traslados"},
    {"Reproductores Enfermos", "Reproductores Enfermos"},
};

std::array<int*, 7> numberFields(GuideDayNumbers& n) {
    return {&n.injectionLead, &n.diasCubrirPosparto, &n.intervaloCubrirMacho, &n.firstMale,
            &n.lastMale,      &n.edadCamadasRevisar, &n.edadRetirarNidal};
}

[[noreturn]] void refuse(const QString& line) {
    throw std::invalid_argument(("not a guide day: " + line).toStdString());
}

} // namespace

QString listCaption(GuideTask task) {
    return QString::fromUtf8(kCaptions[static_cast<int>(task)].list);
}

QString editCaption(GuideTask task) {
    return QString::fromUtf8(kCaptions[static_cast<int>(task)].edit);
}

GuideDay GuideDay::fresh(const QDate& day, const FarmParameters& parameters) {
    GuideDay d;
    d.m_date = day;
    d.m_numbers.diasCubrirPosparto = parameters.diasCubrirPosparto;
    d.m_numbers.intervaloCubrirMacho = parameters.intervaloCubrirMacho;
    d.m_numbers.edadCamadasRevisar = parameters.edadCamadasRevisar;
    d.m_numbers.edadRetirarNidal = parameters.edadRetirarNidal;
    return d;
}

GuideDay GuideDay::fromLine(const QString& line) {
    const QStringList f = line.split(QLatin1Char('|'));
    if (f.size() != kFieldCount)
        refuse(line);
    GuideDay d;
    d.m_date = QDate::fromString(f[0], QStringLiteral("yyyyMMdd"));
    if (!d.m_date.isValid())
        refuse(line);
    for (int i = 0; i < kGuideTaskCount; ++i)
        d.m_flags[i] = f[kFirstFlag + i] == QLatin1String("1");
    auto numbers = numberFields(d.m_numbers);
    for (size_t i = 0; i < numbers.size(); ++i) {
        bool ok = false;
        *numbers[i] = f[kFirstNumber + int(i)].toInt(&ok);
        if (!ok)
            refuse(line);
    }
    return d;
}

QString GuideDay::line() const {
    QStringList f;
    f << display::date(m_date, QStringLiteral("yyyymmdd")) << guideDate() << caption();
    for (bool flag : m_flags)
        f << (flag ? QStringLiteral("1") : QStringLiteral("0"));
    GuideDayNumbers n = m_numbers;
    for (int* value : numberFields(n))
        f << QString::number(*value);
    return f.join(QLatin1Char('|'));
}

QString GuideDay::guideDate() const {
    return display::date(m_date);
}

QString GuideDay::caption() const {
    return display::date(m_date, QStringLiteral("dddd, dd/mm/yyyy"));
}
