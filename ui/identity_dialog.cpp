#include "ui/identity_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

namespace kaldora {

namespace {

// The fields in order: the setting's key, the caption, the member.
struct IdentityField {
    const char* key;
    const char* caption;
    QString ProtocolIdentity::*member;
};
constexpr std::array<IdentityField, kIdentityFields> kFields = {{
    {"object", "&Объект:", &ProtocolIdentity::object},
    {"section", "&Участок:", &ProtocolIdentity::section},
    {"executor", "&Выполнил:", &ProtocolIdentity::executor},
    {"checker", "&Проверил:", &ProtocolIdentity::checker},
    {"organisation", "&Организация:", &ProtocolIdentity::organisation},
    {"project", "&Шифр проекта:", &ProtocolIdentity::project},
    {"document", "&Номер документа:", &ProtocolIdentity::document},
}};

QSettings Settings() { return QSettings(QStringLiteral("kaldora"), QStringLiteral("kaldora")); }

}  // namespace

IdentityDialog::IdentityDialog(const ProtocolIdentity& identity, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("IdentityDialog"));
    setWindowTitle(QStringLiteral("Протокол расчета"));
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("Для заголовка протокола; любое поле можно оставить пустым."), this));
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        auto* field = new QLineEdit(identity.*kFields[i].member, this);
        field->setObjectName(QLatin1String(kFields[i].key));
        field->setMinimumWidth(320);
        auto* label = new QLabel(QString::fromUtf8(kFields[i].caption), this);
        label->setBuddy(field);
        form->addRow(label, field);
        fields_[i] = field;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ProtocolIdentity IdentityDialog::Identity() const {
    ProtocolIdentity identity;
    for (std::size_t i = 0; i < kFields.size(); ++i) identity.*kFields[i].member = fields_[i]->text().trimmed();
    return identity;
}

ProtocolIdentity RememberedIdentity() {
    QSettings settings = Settings();
    ProtocolIdentity identity;
    for (const IdentityField& f : kFields)
        identity.*f.member = settings.value(QStringLiteral("protocol/") + QLatin1String(f.key)).toString();
    return identity;
}

void RememberIdentity(const ProtocolIdentity& identity) {
    QSettings settings = Settings();
    for (const IdentityField& f : kFields)
        settings.setValue(QStringLiteral("protocol/") + QLatin1String(f.key), identity.*f.member);
}

}  // namespace kaldora
