#pragma once

class TDiz;

// Rebuilds the VAT summary, discount amount and document total of the current
// Testata row from the lines Detta shows for it, and saves the header. Detta is
// left past its last line. Throws on a line that cannot be read (the cleared
// summary and the rates placed so far stay saved) and on a failed save.
void ComputeDocumentTotals(TDiz& diz);
