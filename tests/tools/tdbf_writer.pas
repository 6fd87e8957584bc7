{ Writes dBase tables with Free Pascal's TDbf, an engine independent of ours, so the
  tests can check that we read what another program wrote.

  Usage: tdbf_writer FOLDER
  Creates in FOLDER:
    livello7.dbf (+ .mdx)  level 7: autoincrement, dates, N(20,4), text, integer,
                           logical and timestamp fields; tag DATA on DTOS(DATA)
    dbase4.dbf   (+ .mdx)  dBase IV: dates, N(20,4), text, logical; tag NOME on NOME
  Both declare Windows-1252 (language driver 0x57) and hold accented text and the
  euro sign; in each the 2nd and 5th rows are deleted.

  Text is handed to TDbf already in Windows-1252 (#232 is e grave, #128 the euro
  sign) and the translation hook copies it unchanged: TDbf would otherwise convert
  from the process code page, which on Linux is not 1252. }
program tdbf_writer;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes, DB, dbf, dbf_common;

type
  TRawText = class
    function Copy(Dbf: TDbf; Src, Dest: PChar; ToOem: Boolean): Integer;
  end;

function TRawText.Copy(Dbf: TDbf; Src, Dest: PChar; ToOem: Boolean): Integer;
begin
  if Src <> Dest then
    StrCopy(Dest, Src);
  Result := StrLen(Dest);
end;

const
  Rows = 6;
  Operazioni: array[1..Rows] of string = ('Accredito', 'Prelievo', 'Pagamento', 'FuoriConto', 'Imposta', 'Notifica');
  Tipi: array[1..Rows] of string = ('Stipendio', 'S. Bancomat', 'P.O.S.', 'Bonifico', 'Bolli', 'Variazione');
  Commenti: array[1..Rows] of string = (
    'caff'#232' '#128,                      { caffe' euro }
    'gi'#224' cancellato',                  { deleted }
    'citt'#224' d'#39'arte '#171'ok'#187,   { apostrophe and guillemets }
    '',
    'perch'#233' '#150' tassa',             { en dash }
    'Variazione Tassi d'#39'interesse');
  Importi: array[1..Rows] of Double = (1500.25, -200, -12.5, 0.0001, -2.34, 0);
  Quantita: array[1..Rows] of Integer = (1, -2, 2147483647, -2147483647, 0, 42);
  Pagati: array[1..Rows] of Boolean = (True, False, True, False, True, False);

var
  Raw: TRawText;

function RowDate(I: Integer): TDateTime;
begin
  Result := EncodeDate(2024, 1, 31) + (I - 1) * 29;
end;

procedure Prepare(T: TDbf; const Folder, Name: string; Level: Integer);
begin
  T.FilePathFull := Folder;
  T.TableName := Name;
  T.TableLevel := Level;
  T.LanguageID := $57; { DBWINUS0: Windows-1252 }
  T.OnTranslate := @Raw.Copy;
  T.Exclusive := True;
end;

procedure DeleteRows(T: TDbf);
begin
  { Record numbers 2 and 5, whatever the current index. }
  T.IndexName := '';
  T.PhysicalRecNo := 5;
  T.Delete;
  T.PhysicalRecNo := 2;
  T.Delete;
end;

procedure WriteLevel7(const Folder: string);
var
  T: TDbf;
  I: Integer;
begin
  T := TDbf.Create(nil);
  try
    Prepare(T, Folder, 'livello7.dbf', 7);
    T.FieldDefs.Add('ID', ftAutoInc, 0, False);
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
    T.FieldDefs.Add('QUANTITA', ftInteger, 0, False);
    T.FieldDefs.Add('PAGATO', ftBoolean, 0, False);
    T.FieldDefs.Add('ORA', ftDateTime, 0, False);
    T.CreateTable;
    T.Open;
    T.AddIndex('DATA', 'DTOS(DATA)', [ixExpression]);
    for I := 1 to Rows do
    begin
      T.Append;
      T.FieldByName('DATA').AsDateTime := RowDate(I);
      T.FieldByName('VALUTA').AsDateTime := RowDate(I) + 2;
      T.FieldByName('OPERAZIONE').AsString := Operazioni[I];
      T.FieldByName('TIPO').AsString := Tipi[I];
      T.FieldByName('IMPORTO').AsFloat := Importi[I];
      T.FieldByName('COMMENTO').AsString := Commenti[I];
      T.FieldByName('QUANTITA').AsInteger := Quantita[I];
      T.FieldByName('PAGATO').AsBoolean := Pagati[I];
      T.FieldByName('ORA').AsDateTime := RowDate(I) + EncodeTime(13, 45, 30, 0);
      T.Post;
    end;
    DeleteRows(T);
    T.Close;
  finally
    T.Free;
  end;
end;

procedure WriteDbase4(const Folder: string);
var
  T: TDbf;
  I: Integer;
begin
  T := TDbf.Create(nil);
  try
    Prepare(T, Folder, 'dbase4.dbf', 4);
    T.FieldDefs.Add('DATA', ftDate, 0, False);
    with T.FieldDefs.AddFieldDef do
    begin
      Name := 'IMPORTO';
      DataType := ftFloat;
      Size := 20;
      Precision := 4;
    end;
    T.FieldDefs.Add('NOME', ftString, 40, False);
    T.FieldDefs.Add('ATTIVO', ftBoolean, 0, False);
    T.CreateTable;
    T.Open;
    T.AddIndex('NOME', 'NOME', []);
    for I := 1 to Rows do
    begin
      T.Append;
      T.FieldByName('DATA').AsDateTime := RowDate(I);
      T.FieldByName('IMPORTO').AsFloat := Importi[I];
      T.FieldByName('NOME').AsString := Commenti[I];
      T.FieldByName('ATTIVO').AsBoolean := Pagati[I];
      T.Post;
    end;
    { A row whose date is left empty. }
    T.Append;
    T.FieldByName('NOME').AsString := 'senza data';
    T.Post;
    DeleteRows(T);
    T.Close;
  finally
    T.Free;
  end;
end;

begin
  if ParamCount <> 1 then
  begin
    WriteLn(StdErr, 'usage: tdbf_writer FOLDER');
    Halt(2);
  end;
  Raw := TRawText.Create;
  try
    WriteLevel7(IncludeTrailingPathDelimiter(ParamStr(1)));
    WriteDbase4(IncludeTrailingPathDelimiter(ParamStr(1)));
  except
    on E: Exception do
    begin
      WriteLn(StdErr, 'tdbf_writer: ', E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
  Raw.Free;
end.
