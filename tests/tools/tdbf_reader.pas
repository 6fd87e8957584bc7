{ Reads a dBase table with Free Pascal's TDbf and prints its live rows, so the tests
  can check our files, and the order of our .mdx tags, with an independent engine.

  Usage: tdbf_reader FILE.dbf [TAG]
  Prints "tags:" and the tag names TDbf found in the production index, then one line
  per live row in the order of TAG (physical order without it):
    <record number> TAB NAME=value TAB NAME=value ...
  Text is converted from Windows-1252 to UTF-8; dates are yyyymmdd; numbers have
  four decimals; logicals T or F; an empty field prints nothing after "=". }
program tdbf_reader;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes, DB, dbf;

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
  { Unicode code points of Windows-1252 bytes 0x80-0x9F (0 where the code page has none). }
  High1252: array[$80..$9F] of Word = (
    $20AC, 0, $201A, $0192, $201E, $2026, $2020, $2021, $02C6, $2030, $0160, $2039, $0152, 0, $017D, 0,
    0, $2018, $2019, $201C, $201D, $2022, $2013, $2014, $02DC, $2122, $0161, $203A, $0153, 0, $017E, $0178);

function Utf8Of(CodePoint: Cardinal): string;
begin
  if CodePoint < $80 then
    Result := Chr(CodePoint)
  else if CodePoint < $800 then
    Result := Chr($C0 or (CodePoint shr 6)) + Chr($80 or (CodePoint and $3F))
  else
    Result := Chr($E0 or (CodePoint shr 12)) + Chr($80 or ((CodePoint shr 6) and $3F)) +
      Chr($80 or (CodePoint and $3F));
end;

function Cp1252ToUtf8(const S: string): string;
var
  I: Integer;
  B: Byte;
begin
  Result := '';
  for I := 1 to Length(S) do
  begin
    B := Ord(S[I]);
    if (B >= $80) and (B <= $9F) then
    begin
      if High1252[B] = 0 then
        Result := Result + '?'
      else
        Result := Result + Utf8Of(High1252[B]);
    end
    else
      Result := Result + Utf8Of(B);
  end;
end;

function ValueOf(F: TField): string;
var
  Fmt: TFormatSettings;
begin
  if F.IsNull then
    Exit('');
  Fmt := DefaultFormatSettings;
  Fmt.DecimalSeparator := '.';
  case F.DataType of
    ftString, ftFixedChar, ftWideString:
      Result := Cp1252ToUtf8(TrimRight(F.AsString));
    ftDate:
      Result := FormatDateTime('yyyymmdd', F.AsDateTime);
    ftDateTime:
      Result := FormatDateTime('yyyymmdd hh:nn:ss', F.AsDateTime);
    ftBoolean:
      if F.AsBoolean then Result := 'T' else Result := 'F';
    ftFloat, ftBCD, ftCurrency:
      Result := FormatFloat('0.0000', F.AsFloat, Fmt);
  else
    Result := F.AsString;
  end;
end;

var
  T: TDbf;
  Raw: TRawText;
  Names: TStringList;
  I: Integer;
  Line: string;
begin
  if (ParamCount < 1) or (ParamCount > 2) then
  begin
    WriteLn(StdErr, 'usage: tdbf_reader FILE.dbf [TAG]');
    Halt(2);
  end;
  Raw := TRawText.Create;
  T := TDbf.Create(nil);
  Names := TStringList.Create;
  try
    try
      T.FilePathFull := ExtractFilePath(ExpandFileName(ParamStr(1)));
      T.TableName := ExtractFileName(ParamStr(1));
      T.ReadOnly := True;
      T.OnTranslate := @Raw.Copy;
      T.Open;
      T.GetIndexNames(Names);
      Line := 'tags:';
      for I := 0 to Names.Count - 1 do
        Line := Line + ' ' + Names[I];
      WriteLn(Line);
      if ParamCount = 2 then
        T.IndexName := ParamStr(2);
      T.First;
      while not T.EOF do
      begin
        Line := IntToStr(T.PhysicalRecNo);
        for I := 0 to T.FieldCount - 1 do
          Line := Line + #9 + T.Fields[I].FieldName + '=' + ValueOf(T.Fields[I]);
        WriteLn(Line);
        T.Next;
      end;
      T.Close;
    except
      on E: Exception do
      begin
        WriteLn(StdErr, 'tdbf_reader: ', E.ClassName, ': ', E.Message);
        Halt(1);
      end;
    end;
  finally
    Names.Free;
    T.Free;
    Raw.Free;
  end;
end.
