{ Makes tests/data/dbase/mdx/tdbf-tre-tag.mdx: a dBase IV table with three tags written by
  Free Pascal's TDbf, so our .mdx tests can compare layouts and key bytes with another writer.

  Usage: tdbf_three_tags FOLDER   (writes FOLDER/tretag.dbf and FOLDER/tretag.mdx)
  Record I (1-300) holds OPERAZIONE 'OP<I mod 17>', TIPO 'TIPO<I mod 5>',
  IMPORTO (I mod 23) * 12.5 - 100. }
program tdbf_three_tags;

{$mode objfpc}{$H+}

uses
  SysUtils, DB, dbf;

var
  T: TDbf;
  I: Integer;
begin
  T := TDbf.Create(nil);
  try
    T.FilePathFull := IncludeTrailingPathDelimiter(ParamStr(1));
    T.TableName := 'tretag.dbf';
    T.TableLevel := 4;
    T.LanguageID := $57;
    T.FieldDefs.Add('OPERAZIONE', ftString, 10, False);
    T.FieldDefs.Add('TIPO', ftString, 25, False);
    with T.FieldDefs.AddFieldDef do
    begin
      Name := 'IMPORTO';
      DataType := ftFloat;
      Size := 20;
      Precision := 4;
    end;
    T.CreateTable;
    T.Exclusive := True;
    T.Open;
    T.AddIndex('OPERAZIONE', 'OPERAZIONE', []);
    T.AddIndex('TIPO', 'TIPO', []);
    T.AddIndex('IMPORTO', 'IMPORTO', []);
    for I := 1 to 300 do
    begin
      T.Append;
      T.FieldByName('OPERAZIONE').AsString := 'OP' + IntToStr(I mod 17);
      T.FieldByName('TIPO').AsString := 'TIPO' + IntToStr(I mod 5);
      T.FieldByName('IMPORTO').AsFloat := (I mod 23) * 12.5 - 100;
      T.Post;
    end;
    T.Close;
  finally
    T.Free;
  end;
end.
