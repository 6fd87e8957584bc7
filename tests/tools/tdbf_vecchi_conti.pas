{ Writes, with Free Pascal's TDbf (an engine independent of ours), movements tables such as the previous major
  version of the program left behind, for the import tests.

  Usage: tdbf_vecchi_conti FOLDER
  Creates in FOLDER, each with its production index (.mdx):
    conto7.dbf      level 7, Windows-1252: DATA, VALUTA, OPERAZIONE, TIPO, IMPORTO, COMMENTO; tag DATA on DTOS(DATA)
    conto4.dbf      dBase IV, Italian OEM code page 850 (DB850IT1), the same fields and tag
    conto4w.dbf     dBase IV, Windows-1252, the same fields and tag
    senzatag.dbf    dBase IV, the same fields, but its only tag is VALUTA
    settecampi.dbf  level 7, the six fields and a seventh, QUANTITA; tag DATA
    oemrotto.dbf    dBase IV, code page 850, the six fields and tag DATA; its third row's COMMENTO holds a
                    box-drawing character that Windows-1252 cannot hold
    contoora.dbf    level 7, Windows-1252: DATA and VALUTA as timestamps (10:30 on the day), IMPORTO a float of TDbf's
                    default size, the same rows; tag DATA (TDbf cannot index a timestamp, so the
                    tag's key is OPERAZIONE; the program never reads a key from an .mdx and orders the tag
                    DATA by the field DATA)
  The rows of the account tables are written out of date order: 15/03/2003, 10/01/2003, 20/02/2003 (deleted),
  05/02/2003, 31/12/2003, 10/01/2003; amounts 1500.25, 250, 80.4, 0, 2.34, 0.0001.

  Text is handed to TDbf already in the table's code page and the translation hook copies it unchanged: TDbf
  would otherwise convert from the process code page, which on Linux is neither. }
program tdbf_vecchi_conti;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes, DB, dbf, dbf_common;

type
  TRawText = class
    function Copy(Dbf: TDbf; Src, Dest: PChar; ToOem: Boolean): Integer;
  end;

  TCommenti = array[1..6] of string;

function TRawText.Copy(Dbf: TDbf; Src, Dest: PChar; ToOem: Boolean): Integer;
begin
  if Src <> Dest then
    StrCopy(Dest, Src);
  Result := StrLen(Dest);
end;

const
  Rows = 6;
  Giorni: array[1..Rows] of Integer = (15, 10, 20, 5, 31, 10);
  Mesi: array[1..Rows] of Integer = (3, 1, 2, 2, 12, 1);
  Operazioni: array[1..Rows] of string = ('Accredito', 'Prelievo', 'Addebito', 'Notifica', 'Imposta', 'Accredito');
  Tipi: array[1..Rows] of string = ('Stipendio', 'S. Bancomat', 'Luce', 'Variazione', 'Bolli', 'Contante');
  Importi: array[1..Rows] of Double = (1500.25, 250, 80.4, 0, 2.34, 0.0001);
  { Windows-1252: e grave #232, a grave #224, e acute #233, euro #128, en dash #150. }
  Commenti1252: TCommenti = ('Stipendio marzo', 'caff'#232' '#128, 'bolletta', 'Variazione Tassi d'#39'interesse',
    'perch'#233' '#150' tassa', 'citt'#224);
  { Code page 850: e grave #138, a grave #133, e acute #130; no euro sign nor dash there. }
  Commenti850: TCommenti = ('Stipendio marzo', 'caff'#138' euro', 'bolletta', 'Variazione Tassi d'#39'interesse',
    'perch'#130' - tassa', 'citt'#133);
  { #196 is a box-drawing line in code page 850. }
  CommentiRotti: TCommenti = ('uno', 'due', 'tre '#196#196, 'quattro', 'cinque', 'sei');

var
  Raw: TRawText;
  Folder: string;

procedure Prepare(T: TDbf; const Name: string; Level, Language: Integer);
begin
  T.FilePathFull := Folder;
  T.TableName := Name;
  T.TableLevel := Level;
  T.LanguageID := Language;
  T.OnTranslate := @Raw.Copy;
  T.Exclusive := True;
end;

procedure AddMovementFields(T: TDbf);
begin
  T.FieldDefs.Add('DATA', ftDate, 0, False);
  T.FieldDefs.Add('VALUTA', ftDate, 0, False);
  T.FieldDefs.Add('OPERAZIONE', ftString, 10, False);
  T.FieldDefs.Add('TIPO', ftString, 25, False);
  with T.FieldDefs.AddFieldDef do
  begin
    Name := 'IMPORTO';
    DataType := ftFloat;
    Size := 20;
    Precision := 4;
  end;
  T.FieldDefs.Add('COMMENTO', ftString, 250, False);
end;

{ TDbf refuses to write a table whose language driver names an OEM code page (it opens it read-only), so an OEM
  table is written declaring Windows-1252, with its text already in the OEM page, and its language driver byte
  (header offset 29) is set afterwards. }
procedure SetLanguageDriver(const Name: string; Language: Byte);
var
  F: TFileStream;
begin
  F := TFileStream.Create(Folder + Name, fmOpenReadWrite);
  try
    F.Position := 29;
    F.WriteBuffer(Language, 1);
  finally
    F.Free;
  end;
end;

procedure WriteTable(const Name: string; Level, Language: Integer; const Commenti: TCommenti;
  const Tag: string; Extra: Boolean);
var
  T: TDbf;
  I: Integer;
  D: TDateTime;
begin
  T := TDbf.Create(nil);
  try
    Prepare(T, Name, Level, $57);
    AddMovementFields(T);
    if Extra then
      T.FieldDefs.Add('QUANTITA', ftInteger, 0, False);
    T.CreateTable;
    T.Open;
    { Dates are indexed through their yyyymmdd text, as dBase does. }
    T.AddIndex(Tag, 'DTOS(' + Tag + ')', [ixExpression]);
    for I := 1 to Rows do
    begin
      D := EncodeDate(2003, Mesi[I], Giorni[I]);
      T.Append;
      T.FieldByName('DATA').AsDateTime := D;
      T.FieldByName('VALUTA').AsDateTime := D + 2;
      T.FieldByName('OPERAZIONE').AsString := Operazioni[I];
      T.FieldByName('TIPO').AsString := Tipi[I];
      T.FieldByName('IMPORTO').AsFloat := Importi[I];
      T.FieldByName('COMMENTO').AsString := Commenti[I];
      if Extra then
        T.FieldByName('QUANTITA').AsInteger := I;
      T.Post;
    end;
    { The third row (20/02/2003) is deleted, whatever the current index. }
    if Name <> 'oemrotto.dbf' then
    begin
      T.IndexName := '';
      T.PhysicalRecNo := 3;
      T.Delete;
    end;
    T.Close;
  finally
    T.Free;
  end;
  if Language <> $57 then
    SetLanguageDriver(Name, Language);
end;

procedure WriteTimestampTable;
var
  T: TDbf;
  I: Integer;
  D: TDateTime;
begin
  T := TDbf.Create(nil);
  try
    Prepare(T, 'contoora.dbf', 7, $57);
    T.FieldDefs.Add('DATA', ftDateTime, 0, False);
    T.FieldDefs.Add('VALUTA', ftDateTime, 0, False);
    T.FieldDefs.Add('OPERAZIONE', ftString, 10, False);
    T.FieldDefs.Add('TIPO', ftString, 25, False);
    T.FieldDefs.Add('IMPORTO', ftFloat, 0, False);
    T.FieldDefs.Add('COMMENTO', ftString, 250, False);
    T.CreateTable;
    T.Open;
    T.AddIndex('DATA', 'OPERAZIONE', []);
    for I := 1 to Rows do
    begin
      D := EncodeDate(2003, Mesi[I], Giorni[I]);
      T.Append;
      T.FieldByName('DATA').AsDateTime := D + EncodeTime(10, 30, 0, 0);
      T.FieldByName('VALUTA').AsDateTime := D + 2 + EncodeTime(10, 30, 0, 0);
      T.FieldByName('OPERAZIONE').AsString := Operazioni[I];
      T.FieldByName('TIPO').AsString := Tipi[I];
      T.FieldByName('IMPORTO').AsFloat := Importi[I];
      T.FieldByName('COMMENTO').AsString := Commenti1252[I];
      T.Post;
    end;
    T.IndexName := '';
    T.PhysicalRecNo := 3;
    T.Delete;
    T.Close;
  finally
    T.Free;
  end;
end;

begin
  if ParamCount <> 1 then
  begin
    WriteLn(StdErr, 'usage: tdbf_vecchi_conti FOLDER');
    Halt(2);
  end;
  Folder := IncludeTrailingPathDelimiter(ParamStr(1));
  Raw := TRawText.Create;
  try
    WriteTable('conto7.dbf', 7, $57, Commenti1252, 'DATA', False);
    WriteTable('conto4.dbf', 4, $12, Commenti850, 'DATA', False);
    WriteTable('conto4w.dbf', 4, $57, Commenti1252, 'DATA', False);
    WriteTable('senzatag.dbf', 4, $57, Commenti1252, 'VALUTA', False);
    WriteTable('settecampi.dbf', 7, $57, Commenti1252, 'DATA', True);
    WriteTable('oemrotto.dbf', 4, $12, CommentiRotti, 'DATA', False);
    WriteTimestampTable;
  except
    on E: Exception do
    begin
      WriteLn(StdErr, 'tdbf_vecchi_conti: ', E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
  Raw.Free;
end.
