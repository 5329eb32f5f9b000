-- Demo data: one company, a few customers, suppliers, articles, issued invoices
-- with their lines, a received invoice, and sales documents of 2025 in the
-- accounting database. The run script loads it into an empty invoicing database
-- and then points the company folder at the demo's own output folder.

INSERT INTO xml_quova.azienda (rag_soc, p_iva, cod_fis, reg_fisc, indirizzo, cap, comune, prov, nazione,
  uff_rea, num_rea, capit_soc, soc_uni, stato_liq, mail, telefono, path, iban) VALUES
('QUOVA DISTRIBUZIONE S.R.L.', '01234567890', '01234567890', 'RF01', 'Via Roma 12', '27100', 'Pavia', 'PV', 'IT',
 'PV', '123456', '10000,00', 'SM', 'LN', 'amministrazione@quova.example', '0382123456', '/tmp/', 'IT60X0542811101000000123456');

INSERT INTO xml_quova.clienti (rag_soc, indirizzo, comune, cap, prov, nazione, p_iva, cod_fis, cod_dest, pec,
  dest_soc, dest_comune, dest_indir, dest_cap) VALUES
('ALFA SRL', 'Via Larga 5', 'Milano', '20121', 'MI', 'IT', '09876543210', '09876543210', 'M5UXCR1', '', 'ALFA SRL', 'Milano', 'Via Larga 5', '20121'),
('BETA & FIGLI SNC', 'Corso Italia 8', 'Torino', '10121', 'TO', 'IT', '11223344556', '11223344556', '', 'beta@pec.example', '', '', '', ''),
('ROSSI MARIO', 'Via Verdi 3', 'Lodi', '26900', 'LO', 'IT', '', 'RSSMRA80A01F205X', '', '', '', '', '', ''),
('COMUNE DI VOGHERA', 'Piazza Duomo 1', 'Voghera', '27058', 'PV', 'IT', '00194470189', '00194470189', 'UFABCD', '', '', '', '', '');

INSERT INTO xml_quova.fornitori (rag_soc, indirizzo, comune, cap, prov, nazione, p_iva, cod_fis, cod_destinatario, pec) VALUES
('CARTIERA DEL PO SPA', 'Via Argine 1', 'Piacenza', '29121', 'PC', 'IT', '05566778899', '05566778899', 'KRRH6B9', ''),
('TRASPORTI VELOCI SRL', 'Via Emilia 200', 'Parma', '43121', 'PR', 'IT', '06677889900', '06677889900', '', 'tv@pec.example');

INSERT INTO xml_quova.magazzino (descrizione, codice_tipo, codice_val, esistenza, um, prezzo_unit, sc_tipo, sc_perc,
  sc_importo, prezzo_tot, costo_unit, sc_costo_tipo, sc_costo_perc, sc_costo_importo, costo_tot, aliquota) VALUES
('CARTA A4 80G RISMA', 'INTERNO', 'CA4-80', '120', 'PZ', '4,500', '', '', '', '4,500', '3,000', '', '0,00', '', '3,000', '22'),
('TONER NERO STAMPANTE', 'INTERNO', 'TN-100', '15', 'PZ', '65,000', 'SC', '10', '6,50', '58,500', '40,000', '', '0,00', '', '40,000', '22'),
('SCAFFALE METALLICO', 'INTERNO', 'SC-200', '3', 'PZ', '1.250,000', '', '', '', '1.250,000', '800,000', '', '0,00', '', '800,000', '22'),
('LIBRO REGISTRO IVA', 'INTERNO', 'LB-01', '40', 'PZ', '12,000', '', '', '', '12,000', '8,000', '', '0,00', '', '8,000', '4');

INSERT INTO xml_quova.testata (rag_soc, indirizzo, comune, cap, prov, nazione, p_iva, cod_fis, cod_dest, pec,
  data_doc, num_doc, tot_doc, tipo_doc, tipo_pag, mod_pag, n_rate, spese, arrot, imponibile, imposta, aliquota,
  esig_iva, esig_iva2, esig_iva3, sc_tipo, sc_perc, sc_importo, spese2, arrot2, spese3, arrot3, tot_omaggio,
  causale, trasporto, porto, aspetto, inviata, dest_soc, dest_indir, dest_comune, dest_cap) VALUES
('ALFA SRL', 'Via Larga 5', 'Milano', '20121', 'MI', 'IT', '09876543210', '09876543210', 'M5UXCR1', '',
 '10/11/2026', '1', '152,50', 'TD01', 'TP02', 'MP05', 0, '0,00', '0,00', '125,00', '27,50', '22',
 'I', 'I', 'I', '', '', '0,00', '0,00', '0,00', '0,00', '0,00', '0,00',
 'Vendita', 'Vettore', 'Franco', 'Cartoni, Imballi', 1, 'ALFA SRL', 'Via Larga 5', 'Milano', '20121'),
('ROSSI MARIO', 'Via Verdi 3', 'Lodi', '26900', 'LO', 'IT', '', 'RSSMRA80A01F205X', '', '',
 '02/12/2026', '2', '14,64', 'TD01', 'TP02', 'MP01', 0, '0,00', '0,00', '12,00', '2,64', '22',
 'I', 'I', 'I', '', '', '0,00', '0,00', '0,00', '0,00', '0,00', '0,00',
 'Vendita', 'Vettore', 'Franco', 'Cartoni, Imballi', 0, '', '', '', '');

INSERT INTO xml_quova.dettaglio (id_invio, prog, codice_tipo, codice_val, descrizione, quantita, um, prezzo_unit,
  sc_tipo, sc_perc, sc_importo, prezzo_tot, aliquota, tipo_cessione, ritenuta, natura, rif_amm) VALUES
(1, 1, 'INTERNO', 'TN-100', 'TONER NERO STAMPANTE', '2,00', 'PZ', '65,000', 'SC', '10,00', '13,00', '117,000', '22', '', '', '', ''),
(1, 2, 'INTERNO', 'CA4-80', 'CARTA A4 80G RISMA', '2,00', 'PZ', '4,000', '', '', '', '8,000', '22', '', '', '', ''),
(2, 1, '', '', 'RILEGATURA DOCUMENTI', '3,00', 'PZ', '4,000', '', '', '', '12,000', '22', '', '', '', '');

INSERT INTO xml_quova.test_car (rag_soc, indirizzo, comune, cap, prov, nazione, p_iva, cod_fis, data_doc, num_doc,
  tot_doc, tipo_doc, mod_pag, imponibile, imposta, aliquota, nome_file) VALUES
('CARTIERA DEL PO SPA', 'Via Argine 1', 'Piacenza', '29121', 'PC', 'IT', '05566778899', '05566778899', '05/11/2026',
 'A/118', '366,00', 'TD01', 'MP05', '300,00', '66,00', '22', 'IT05566778899_00A12.xml');
INSERT INTO xml_quova.dett_car (prot_car, prog, codice_val, descrizione, quantita, um, prezzo_unit, prezzo_tot, aliquota) VALUES
(1, 1, 'CA4-80', 'CARTA A4 80G RISMA', '100,00', 'PZ', '3,000', '300,00', '22');

INSERT INTO quova24.testata (protocollo, anno, reg_doc, num_doc, data, rag_soc, indirizzo, cap, citta, partiva,
  cod_fis, dest_soc, dest_indirizzo, dest_cap, dest_citta, imponibile1, iva1, aliquota1, val_sconto1,
  imponibile2, iva2, aliquota2, val_sconto2, imponibile3, iva3, aliquota3, val_sconto3, imponibile4, iva4,
  aliquota4, val_sconto4, imponibile5, iva5, aliquota5, val_sconto5, spese_tr, spese_inc, aliq_spese, bolli,
  abbuono, prov, cod_destinatario, pec) VALUES
(501, 2025, 'FV', 101, '2025-03-14', 'ALFA SRL', 'Via Larga 5', '20121', 'Milano', '09876543210', '09876543210',
 '', '', '', '', 200, 44, 22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 22, 0, 0, 'MI', 'M5UXCR1', ''),
(502, 2025, 'FV', 102, '2025-06-30', 'BETA & FIGLI SNC', 'Corso Italia 8', '10121', 'Torino', '11223344556',
 '11223344556', '', '', '', '', 100, 22, 22, 0, 50, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 22, 2, 0,
 'TO', '', 'beta@pec.example');
INSERT INTO quova24.dettag (prot_testa, protocollo, descrizione, colli, quantita, pr_lordo, sc_1, sc_2, sc_3, um,
  aliquota, cod_art, categoria, origine, lotto) VALUES
(501, 1, 'CARTA A4 80G RISMA', 4, 40, 5, 0, 0, 0, 'PZ', 22, 'CA4-80', '', '', ''),
(502, 1, 'TONER NERO STAMPANTE', 1, 2, 50, 0, 0, 0, 'PZ', 22, 'TN-100', '', '', ''),
(502, 2, 'LIBRO REGISTRO IVA', 1, 5, 10, 0, 0, 0, 'PZ', 4, 'LB-01', '', 'IT', 'L7');
