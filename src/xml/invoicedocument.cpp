#include "xml/invoicedocument.h"

#include "platform/core/errors.h"
#include "xml/amounttext.h"
#include "xml/xmlforms.h"

#include <algorithm>
#include <cmath>

namespace fatturapa {
namespace {

using xmlforms::escapePlain;
using xmlforms::EscapeXmlText;

const QString kSchemaNamespace =
    QStringLiteral("http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2");
const QString kSignatureNamespace = QStringLiteral("http://www.w3.org/2000/09/xmldsig#");
const QString kInstanceNamespace = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");

[[noreturn]] void throwNull(const char* type) {
    throw ConversionError(
        QStringLiteral("Could not convert variant of type (Null) into type (%1)").arg(type));
}

// A text read from a field that has to hold one: a null cannot be read as text.
QString requiredText(const Record& record, const QString& name) {
    if (record.isNull(name))
        throwNull("String");
    return record.text(name);
}

// A text whose null counts as empty.
QString optionalText(const Record& record, const QString& name) {
    return record.text(name);
}

QString decimalOf(const Record& record, const QString& name, int decimals) {
    return xmlforms::FormatXmlDecimal(record.value(name), decimals);
}

QString dateOf(const Record& record, const QString& name) {
    return xmlforms::FormatXmlDate(record.value(name));
}

int integerOf(const Record& record, const QString& name) {
    if (record.isNull(name))
        throwNull("Integer");
    const QVariant value = record.value(name);
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        throw ConversionError(
            QStringLiteral("'%1' is not a valid integer value").arg(value.toString()));
    return number;
}

// Leading and trailing blanks (and control characters) removed.
QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

// The greater-than-zero tests are made on the value as it is written.
bool writtenAboveZero(const QString& xmlDecimal) {
    return xmlDecimal.toDouble() > 0;
}

// Exact cents of a two-decimal XML number ("-12.34" -> -1234).
qint64 centsOf(const QString& xmlDecimal) {
    QString digits = xmlDecimal;
    digits.remove(u'.');
    return digits.toLongLong();
}

QString formatCents(qint64 cents) {
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

// A due date typed with the mask "!99/99/00": empty when only the mask is left.
// A NULL due date (never typed, or imported without one) counts as empty.
std::optional<QString> dueDateOf(const Record& header, const QString& name) {
    const QString text = header.text(name);
    QString typed = text;
    typed.remove(u' ').remove(u'_').remove(u'/');
    if (typed.isEmpty())
        return std::nullopt;
    const QDate date = amount::readShortDate(text);
    if (!date.isValid())
        throw ConversionError(QStringLiteral("'%1' is not a valid date").arg(text));
    return QStringLiteral("%1-%2-%3")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

// The values converted before anything is written.
struct ReadAhead {
    QString companyName;
    QString companyAddress;
    QString companyTown;
    QString customerName;
    QString customerAddress;
    QString customerTown;
    QString capital;
    QString date;
    QString total;
    QString causal;
};

class DocumentBuilder {
public:
    DocumentBuilder(Form form, const InvoiceData& data)
        : m_form(form), m_data(data), m_company(data.company), m_header(data.header) {}

    QStringList build() {
        const int idInvio = integerOf(m_header, QStringLiteral("id_invio"));
        readAhead();
        opening();
        transmission(idInvio);
        supplier();
        customer();
        line(QStringLiteral("</FatturaElettronicaHeader>"));
        line(QStringLiteral("<FatturaElettronicaBody>"));
        generalData();
        goodsAndServices();
        if (m_form == Form::FPR12)
            paymentFPR12();
        else
            paymentFPA12();
        line(QStringLiteral("</FatturaElettronicaBody>"));
        line(fpr12() ? QStringLiteral("</p:FatturaElettronica>")
                     : QStringLiteral("</ns3:FatturaElettronica>"));
        return m_lines;
    }

private:
    bool fpr12() const { return m_form == Form::FPR12; }

    void line(const QString& text) { m_lines.append(text); }
    void element(const QString& tag, const QString& value) {
        m_lines.append(QStringLiteral("<%1>%2</%1>").arg(tag, value));
    }
    void plain(const QString& tag, const QString& value) { element(tag, escapePlain(value)); }

    void readAhead() {
        const auto escaped = [](const Record& record, const char* name) {
            return EscapeXmlText(requiredText(record, QLatin1String(name)));
        };
        m_ahead.companyName = escaped(m_company, "rag_soc");
        m_ahead.companyAddress = escaped(m_company, "indirizzo");
        m_ahead.companyTown = escaped(m_company, "comune");
        m_ahead.customerName = escaped(m_header, "rag_soc");
        m_ahead.customerAddress = escaped(m_header, "indirizzo");
        m_ahead.customerTown = escaped(m_header, "comune");
        m_ahead.capital = decimalOf(m_company, QStringLiteral("capit_soc"), 2);
        m_ahead.date = dateOf(m_header, QStringLiteral("data_doc"));
        m_ahead.total = decimalOf(m_header, QStringLiteral("tot_doc"), 2);
        if (fpr12()) {
            m_ahead.causal = EscapeXmlText(
                QStringLiteral("Consegna Sede: %1 %2 %3")
                    .arg(trimBlanks(optionalText(m_header, QStringLiteral("dest_soc"))),
                         trimBlanks(optionalText(m_header, QStringLiteral("dest_indir"))),
                         trimBlanks(optionalText(m_header, QStringLiteral("dest_comune")))));
        }
    }

    void opening() {
        if (fpr12()) {
            line(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
            line(QStringLiteral("<p:FatturaElettronica xmlns:ds=\"%1\" xmlns:xsi=\"%2\" "
                                "versione=\"FPR12\" xmlns:p=\"%3\">")
                     .arg(kSignatureNamespace, kInstanceNamespace, kSchemaNamespace));
        } else {
            line(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
            line(QStringLiteral("<ns3:FatturaElettronica versione=\"FPA12\" xmlns:ns2=\"%1\" "
                                "xmlns:ns3=\"%2\">")
                     .arg(kSignatureNamespace, kSchemaNamespace));
        }
        line(QStringLiteral("<FatturaElettronicaHeader>"));
    }

    void transmission(int idInvio) {
        line(QStringLiteral("<DatiTrasmissione>"));
        line(QStringLiteral("<IdTrasmittente>"));
        line(QStringLiteral("<IdPaese>IT</IdPaese>"));
        plain(QStringLiteral("IdCodice"), requiredText(m_company, QStringLiteral("cod_fis")));
        line(QStringLiteral("</IdTrasmittente>"));
        element(QStringLiteral("ProgressivoInvio"),
                progressive(m_form, idInvio, m_data.registerCode));
        line(fpr12() ? QStringLiteral("<FormatoTrasmissione>FPR12</FormatoTrasmissione>")
                     : QStringLiteral("<FormatoTrasmissione>FPA12</FormatoTrasmissione>"));
        const QString recipient = optionalText(m_header, QStringLiteral("cod_dest"));
        // The code is mandatory: "0000000" is the standard's code for a recipient
        // reached by certified e-mail or not registered with the exchange system.
        if (fpr12() && recipient.isEmpty())
            line(QStringLiteral("<CodiceDestinatario>0000000</CodiceDestinatario>"));
        else
            plain(QStringLiteral("CodiceDestinatario"), recipient);
        line(QStringLiteral("<ContattiTrasmittente>"));
        plain(QStringLiteral("Telefono"), requiredText(m_company, QStringLiteral("telefono")));
        plain(QStringLiteral("Email"), requiredText(m_company, QStringLiteral("mail")));
        line(QStringLiteral("</ContattiTrasmittente>"));
        const QString pec = optionalText(m_header, QStringLiteral("pec"));
        if (!pec.isEmpty())
            plain(QStringLiteral("PECDestinatario"), pec);
        line(QStringLiteral("</DatiTrasmissione>"));
    }

    void supplier() {
        line(QStringLiteral("<CedentePrestatore>"));
        line(QStringLiteral("<DatiAnagrafici>"));
        line(QStringLiteral("<IdFiscaleIVA>"));
        line(QStringLiteral("<IdPaese>IT</IdPaese>"));
        plain(QStringLiteral("IdCodice"), requiredText(m_company, QStringLiteral("p_iva")));
        line(QStringLiteral("</IdFiscaleIVA>"));
        const QString taxCode = requiredText(m_company, QStringLiteral("cod_fis"));
        if (!taxCode.isEmpty())
            plain(QStringLiteral("CodiceFiscale"), taxCode);
        line(QStringLiteral("<Anagrafica>"));
        element(QStringLiteral("Denominazione"), m_ahead.companyName);
        line(QStringLiteral("</Anagrafica>"));
        line(QStringLiteral("<RegimeFiscale>RF01</RegimeFiscale>"));
        line(QStringLiteral("</DatiAnagrafici>"));
        line(QStringLiteral("<Sede>"));
        element(QStringLiteral("Indirizzo"), m_ahead.companyAddress);
        plain(QStringLiteral("CAP"), requiredText(m_company, QStringLiteral("cap")));
        element(QStringLiteral("Comune"), m_ahead.companyTown);
        const QString province = requiredText(m_company, QStringLiteral("prov"));
        if (!province.isEmpty())
            plain(QStringLiteral("Provincia"), province);
        plain(QStringLiteral("Nazione"), requiredText(m_company, QStringLiteral("nazione")));
        line(QStringLiteral("</Sede>"));
        line(QStringLiteral("<IscrizioneREA>"));
        plain(QStringLiteral("Ufficio"), requiredText(m_company, QStringLiteral("uff_rea")));
        plain(QStringLiteral("NumeroREA"), requiredText(m_company, QStringLiteral("num_rea")));
        element(QStringLiteral("CapitaleSociale"), m_ahead.capital);
        plain(QStringLiteral("SocioUnico"), requiredText(m_company, QStringLiteral("soc_uni")));
        plain(QStringLiteral("StatoLiquidazione"),
              requiredText(m_company, QStringLiteral("stato_liq")));
        line(QStringLiteral("</IscrizioneREA>"));
        line(QStringLiteral("</CedentePrestatore>"));
    }

    void customer() {
        line(QStringLiteral("<CessionarioCommittente>"));
        line(QStringLiteral("<DatiAnagrafici>"));
        if (fpr12()) {
            const QString country = requiredText(m_header, QStringLiteral("nazione"));
            const QString vatNumber = requiredText(m_header, QStringLiteral("p_iva"));
            // An empty IdCodice is invalid: a customer without a VAT number is
            // identified by its tax code alone.
            if (!vatNumber.isEmpty()) {
                line(QStringLiteral("<IdFiscaleIVA>"));
                plain(QStringLiteral("IdPaese"), country);
                plain(QStringLiteral("IdCodice"), vatNumber);
                line(QStringLiteral("</IdFiscaleIVA>"));
            }
        }
        const QString taxCode = requiredText(m_header, QStringLiteral("cod_fis"));
        if (!taxCode.isEmpty())
            plain(QStringLiteral("CodiceFiscale"), taxCode);
        line(QStringLiteral("<Anagrafica>"));
        element(QStringLiteral("Denominazione"), m_ahead.customerName);
        line(QStringLiteral("</Anagrafica>"));
        line(QStringLiteral("</DatiAnagrafici>"));
        line(QStringLiteral("<Sede>"));
        element(QStringLiteral("Indirizzo"), m_ahead.customerAddress);
        plain(QStringLiteral("CAP"), requiredText(m_header, QStringLiteral("cap")));
        element(QStringLiteral("Comune"), m_ahead.customerTown);
        const QString province = optionalText(m_header, QStringLiteral("prov"));
        if (!province.isEmpty())
            plain(QStringLiteral("Provincia"), province);
        plain(QStringLiteral("Nazione"), requiredText(m_header, QStringLiteral("nazione")));
        line(QStringLiteral("</Sede>"));
        line(QStringLiteral("</CessionarioCommittente>"));
    }

    void generalData() {
        line(QStringLiteral("<DatiGenerali>"));
        line(QStringLiteral("<DatiGeneraliDocumento>"));
        plain(QStringLiteral("TipoDocumento"), requiredText(m_header, QStringLiteral("tipo_doc")));
        line(QStringLiteral("<Divisa>EUR</Divisa>"));
        element(QStringLiteral("Data"), m_ahead.date);
        plain(QStringLiteral("Numero"), requiredText(m_header, QStringLiteral("num_doc")));
        const QString percentage = optionalText(m_header, QStringLiteral("sc_perc"));
        if (!percentage.isEmpty()) {
            const QString written = xmlforms::FormatXmlDecimal(percentage, 2);
            // The test is on the stored value, not on the rounded one.
            if (amount::readLenient(percentage).value_or(0) > 0) {
                line(QStringLiteral("<ScontoMaggiorazione>"));
                plain(QStringLiteral("Tipo"), optionalText(m_header, QStringLiteral("sc_tipo")));
                element(QStringLiteral("Percentuale"), written);
                line(QStringLiteral("</ScontoMaggiorazione>"));
            }
        }
        element(QStringLiteral("ImportoTotaleDocumento"), m_ahead.total);
        if (fpr12())
            element(QStringLiteral("Causale"), m_ahead.causal);
        line(QStringLiteral("</DatiGeneraliDocumento>"));
        references();
        line(QStringLiteral("</DatiGenerali>"));
    }

    // The schema fixes the order of the reference elements inside DatiGenerali.
    // Groups come out in that order whatever order they were stored in; groups of
    // one kind keep the dataset's order, and so do the rows within a group. An
    // unknown kind goes last.
    static int referenceRank(const QString& kind) {
        static const QStringList order = {
            QStringLiteral("DatiOrdineAcquisto"), QStringLiteral("DatiContratto"),
            QStringLiteral("DatiConvenzione"), QStringLiteral("DatiRicezione"),
            QStringLiteral("DatiFattureCollegate")};
        const qsizetype rank = order.indexOf(kind);
        return rank < 0 ? int(order.size()) : int(rank);
    }

    // One element per reference row: the element holds a single IdDocumento.
    void references() {
        QVector<std::pair<int, const ReferenceGroup*>> groups;
        for (const ReferenceGroup& group : m_data.references)
            groups.append(
                {referenceRank(requiredText(group.group, QStringLiteral("tipo"))), &group});
        std::stable_sort(groups.begin(), groups.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& entry : groups) {
            const ReferenceGroup& group = *entry.second;
            const QString kind = group.group.text(QStringLiteral("tipo"));
            for (const Record& row : group.rows) {
                const int lineNumber = integerOf(row, QStringLiteral("n_linea"));
                const QString document = requiredText(row, QStringLiteral("id_documento"));
                const QString date = dateOf(row, QStringLiteral("data"));
                line(QStringLiteral("<%1>").arg(kind));
                element(QStringLiteral("RiferimentoNumeroLinea"), QString::number(lineNumber));
                plain(QStringLiteral("IdDocumento"), document);
                element(QStringLiteral("Data"), date);
                const auto optional = [&](const char* tag, const char* name) {
                    const QString value = optionalText(row, QLatin1String(name));
                    if (!value.isEmpty())
                        plain(QLatin1String(tag), value);
                };
                optional("NumItem", "numero");
                optional("CodiceCommessaConvenzione", "cod_comm");
                optional("CodiceCUP", "cup");
                optional("CodiceCIG", "cig");
                line(QStringLiteral("</%1>").arg(kind));
            }
        }
    }

    void goodsAndServices() {
        line(QStringLiteral("<DatiBeniServizi>"));
        m_taxable1 = decimalOf(m_header, QStringLiteral("imponibile"), 2);
        m_tax1 = decimalOf(m_header, QStringLiteral("imposta"), 2);
        for (int bucket = 1; bucket <= 3; ++bucket) {
            m_expenses[bucket - 1] = decimalOf(m_header, field("spese", bucket), 2);
            m_rounding[bucket - 1] = decimalOf(m_header, field("arrot", bucket), 2);
        }
        int counter = 0;
        for (const Record& row : m_data.lines)
            detailLine(row, ++counter);
        for (int bucket = 1; bucket <= 4; ++bucket)
            summary(bucket);
        line(QStringLiteral("</DatiBeniServizi>"));
    }

    static QString field(const char* name, int bucket) {
        const QString base = QLatin1String(name);
        return bucket == 1 ? base : base + QString::number(bucket);
    }

    void detailLine(const Record& row, int counter) {
        const QString rate = decimalOf(row, QStringLiteral("aliquota"), 2);
        const QString unitPrice = decimalOf(row, QStringLiteral("prezzo_unit"), 4);
        const QString quantity = decimalOf(row, QStringLiteral("quantita"), 2);
        const QString total = decimalOf(row, QStringLiteral("prezzo_tot"), 4);
        const auto text = [&](const char* name) { return optionalText(row, QLatin1String(name)); };

        line(QStringLiteral("<DettaglioLinee>"));
        element(QStringLiteral("NumeroLinea"), QString::number(counter));
        const QString discountType = text("sc_tipo");
        if (!discountType.isEmpty())
            line(QStringLiteral("<TipoCessionePrestazione>SC</TipoCessionePrestazione>"));
        const QString codeType = text("codice_tipo");
        if (!codeType.isEmpty()) {
            line(QStringLiteral("<CodiceArticolo>"));
            plain(QStringLiteral("CodiceTipo"), codeType);
            plain(QStringLiteral("CodiceValore"), text("codice_val"));
            line(QStringLiteral("</CodiceArticolo>"));
        }
        element(QStringLiteral("Descrizione"), EscapeXmlText(text("descrizione")));
        if (writtenAboveZero(quantity))
            element(QStringLiteral("Quantita"), quantity);
        const QString unit = text("um");
        if (!unit.isEmpty())
            plain(QStringLiteral("UnitaMisura"), unit);
        element(QStringLiteral("PrezzoUnitario"), unitPrice);
        if (!discountType.isEmpty()) {
            // Rates and amounts need exactly two decimals; the stored text may have any.
            const QString percentage = decimalOf(row, QStringLiteral("sc_perc"), 2);
            const QString amount = decimalOf(row, QStringLiteral("sc_importo"), 2);
            line(QStringLiteral("<ScontoMaggiorazione>"));
            plain(QStringLiteral("Tipo"), discountType);
            element(QStringLiteral("Percentuale"), percentage);
            element(QStringLiteral("Importo"), amount);
            line(QStringLiteral("</ScontoMaggiorazione>"));
        }
        element(QStringLiteral("PrezzoTotale"), total);
        element(QStringLiteral("AliquotaIVA"), rate);
        const auto optional = [&](const char* tag, const char* name) {
            const QString value = text(name);
            if (!value.isEmpty())
                plain(QLatin1String(tag), value);
        };
        optional("Ritenuta", "ritenuta");
        optional("Natura", "natura");
        optional("RiferimentoAmministrazione", "rif_amm");
        const auto management = [&](const char* kind, const char* name) {
            const QString value = text(name);
            if (trimBlanks(value).isEmpty())
                return;
            line(QStringLiteral("<AltriDatiGestionali>"));
            element(QStringLiteral("TipoDato"), QLatin1String(kind));
            plain(QStringLiteral("RiferimentoTesto"), value);
            line(QStringLiteral("</AltriDatiGestionali>"));
        };
        management("Categoria", "categoria");
        management("Lotto", "lotto");
        management("Origine", "origine");
        line(QStringLiteral("</DettaglioLinee>"));
    }

    void summary(int bucket) {
        QString taxable;
        QString tax;
        QString rate;
        if (bucket == 1) {
            rate = decimalOf(m_header, QStringLiteral("aliquota"), 2);
            taxable = m_taxable1;
            tax = m_tax1;
        } else {
            if (optionalText(m_header, field("imponibile", bucket)).isEmpty())
                return;
            rate = decimalOf(m_header, field("aliquota", bucket), 2);
            taxable = decimalOf(m_header, field("imponibile", bucket), 2);
            tax = decimalOf(m_header, field("imposta", bucket), 2);
        }
        m_paymentCents += centsOf(taxable);

        const QString nature = optionalText(m_header, field("natura", bucket));
        line(QStringLiteral("<DatiRiepilogo>"));
        element(QStringLiteral("AliquotaIVA"), rate);
        if (!nature.isEmpty())
            plain(QStringLiteral("Natura"), nature);
        if (bucket <= 3) {
            if (writtenAboveZero(m_expenses[bucket - 1]))
                element(QStringLiteral("SpeseAccessorie"), m_expenses[bucket - 1]);
            if (writtenAboveZero(m_rounding[bucket - 1]))
                element(QStringLiteral("Arrotondamento"), m_rounding[bucket - 1]);
        }
        element(QStringLiteral("ImponibileImporto"), taxable);
        element(QStringLiteral("Imposta"), tax);
        if (trimBlanks(nature).isEmpty()) {
            if (!fpr12()) {
                line(QStringLiteral("<EsigibilitaIVA>S</EsigibilitaIVA>"));
            } else {
                // An empty EsigibilitaIVA is invalid; without one, "I" is implied.
                const QString chargeability = optionalText(m_header, field("esig_iva", bucket));
                if (!chargeability.isEmpty())
                    plain(QStringLiteral("EsigibilitaIVA"), chargeability);
            }
        }
        line(QStringLiteral("</DatiRiepilogo>"));
    }

    void paymentDetail(const QString& method, const QString& amount,
                       const std::optional<QString>& dueDate) {
        line(QStringLiteral("<DettaglioPagamento>"));
        plain(QStringLiteral("Beneficiario"), requiredText(m_company, QStringLiteral("rag_soc")));
        plain(QStringLiteral("ModalitaPagamento"), method);
        if (dueDate)
            element(QStringLiteral("DataScadenzaPagamento"), *dueDate);
        element(QStringLiteral("ImportoPagamento"), amount);
        plain(QStringLiteral("IBAN"), requiredText(m_company, QStringLiteral("iban")));
        line(QStringLiteral("</DettaglioPagamento>"));
    }

    void paymentFPR12() {
        const QString method = requiredText(m_header, QStringLiteral("mod_pag"));
        if (method != QLatin1String("MP05"))
            return;
        const int instalments = integerOf(m_header, QStringLiteral("n_rate"));
        line(QStringLiteral("<DatiPagamento>"));
        line(QStringLiteral("<CondizioniPagamento>TP02</CondizioniPagamento>"));
        if (instalments == 0) {
            paymentDetail(method, m_ahead.total, dueDateOf(m_header, QStringLiteral("scad1")));
        } else if (instalments > 0) {
            // Each instalment rounded on its own; they need not add up to the total.
            const double quotient = m_ahead.total.toDouble() / instalments;
            double share = std::trunc(quotient * 100 + 0.5) / 100;
            if (share == 0)
                share = 0; // no "-0.00"
            const QString amount = QString::number(share, 'f', 2);
            for (int i = 1; i <= instalments; ++i) {
                std::optional<QString> dueDate;
                if (i <= 4)
                    dueDate = dueDateOf(m_header, QStringLiteral("scad%1").arg(i));
                paymentDetail(method, amount, dueDate);
            }
        }
        line(QStringLiteral("</DatiPagamento>"));
    }

    // Public administrations pay the taxable amounts; the VAT goes to the treasury.
    void paymentFPA12() {
        line(QStringLiteral("<DatiPagamento>"));
        line(QStringLiteral("<CondizioniPagamento>TP02</CondizioniPagamento>"));
        paymentDetail(QStringLiteral("MP05"), formatCents(m_paymentCents), std::nullopt);
        line(QStringLiteral("</DatiPagamento>"));
    }

    Form m_form;
    const InvoiceData& m_data;
    const Record& m_company;
    const Record& m_header;
    ReadAhead m_ahead;
    QString m_taxable1;
    QString m_tax1;
    QString m_expenses[3];
    QString m_rounding[3];
    qint64 m_paymentCents = 0;
    QStringList m_lines;
};

} // namespace

QString progressive(Form form, int idInvio, const QString& registerCode) {
    const int limit = form == Form::FPR12 ? 19998 : 9999;
    const int number = idInvio > limit ? idInvio - limit : idInvio;
    QString prefix;
    if (registerCode == QLatin1String("A"))
        prefix = QStringLiteral("0");
    else
        prefix = form == Form::FPR12 ? QStringLiteral("P") : QStringLiteral("A");
    return prefix + QString::number(number).rightJustified(4, QLatin1Char('0'));
}

QString fileName(Form form, const Record& company, int idInvio, const QString& registerCode) {
    return QStringLiteral("IT%1_%2.xml")
        .arg(requiredText(company, QStringLiteral("p_iva")),
             progressive(form, idInvio, registerCode));
}

QStringList buildDocument(Form form, const InvoiceData& data) {
    return DocumentBuilder(form, data).build();
}

} // namespace fatturapa
