#include "ui/norm_dialog.h"
#include "report/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

namespace kaldora {

namespace {

template <typename Choice>
QComboBox* ChoiceBox(const char* name, Choice current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (const auto& text : ChoiceTexts(Choice{})) {
        box->addItem(QString::fromUtf8(text.title.data(), static_cast<qsizetype>(text.title.size())),
                     static_cast<int>(text.value));
        if (text.value == current) box->setCurrentIndex(box->count() - 1);
    }
    return box;
}

template <typename Choice>
Choice Chosen(const QComboBox* box) {
    return static_cast<Choice>(box->currentData().toInt());
}

}  // namespace

NormDialog::NormDialog(const NormChoice& choice, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NormDialog"));
    setWindowTitle(QStringLiteral("Нормы плотности теплового потока"));
    normBox_ = ChoiceBox("NormBox", choice.set, this);
    supportsBox_ = ChoiceBox("SupportsBox", choice.supports, this);
    regionBox_ = ChoiceBox("RegionBox", choice.region, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout(this);
    const auto row = [&](const QString& caption, QComboBox* box) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        form->addRow(label, box);
    };
    row(QStringLiteral("&Нормы:"), normBox_);
    row(QStringLiteral("&Опоры (коэффициент K):"), supportsBox_);
    row(QStringLiteral("&Район (коэффициент K₁):"), regionBox_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(normBox_, &QComboBox::currentIndexChanged, this, [this] { EnableCurrentNormChoices(); });
    EnableCurrentNormChoices();
}

NormChoice NormDialog::Choice() const {
    return {Chosen<NormSet>(normBox_), Chosen<Supports>(supportsBox_), Chosen<Region>(regionBox_)};
}

void NormDialog::EnableCurrentNormChoices() {
    const bool current = Chosen<NormSet>(normBox_) == NormSet::Sp61;
    supportsBox_->setEnabled(current);
    regionBox_->setEnabled(current);
}

QString NormSummary(const NormChoice& choice) {
    if (choice.set == NormSet::Historical) return {};
    return Q(TextOf(choice.set).title) + QStringLiteral(", ") + Q(SupportsPhrase(choice.supports)) +
           QStringLiteral("\nРайон: ") + Q(TextOf(choice.region).title);
}

QString OutdoorAirHint() {
    return QStringLiteral(
        "Нормы СП 61.13330.2012 для трубопроводов на открытом воздухе отнесены к среднегодовой температуре "
        "наружного воздуха, для трубопроводов, работающих только в отопительный период, — к средней за период "
        "работы: задайте ее здесь.");
}

}  // namespace kaldora
