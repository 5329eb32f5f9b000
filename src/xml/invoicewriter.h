#pragma once

#include <QString>

class TDiz;

// Write the current Testata row as a FatturaPA file into the company folder and
// store the file's name in nome_file. The file appears under its name only when it
// is complete; on any failure nothing is left under that name, nome_file keeps what
// it held, and the error is thrown.
void WriteInvoiceXmlFPR12(TDiz& diz, const QString& registerCode);
void WriteInvoiceXmlFPA12(TDiz& diz, const QString& registerCode);
