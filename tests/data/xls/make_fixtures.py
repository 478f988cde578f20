#!/usr/bin/python3
"""Writes the small .xls workbooks that the converter tests read.

Run with Debian's interpreter (it has python3-xlwt):  /usr/bin/python3 make_fixtures.py
xlwt writes BIFF8 only; the BIFF5 workbooks are assembled here record by record and
wrapped in xlwt's compound-document writer.
"""
import datetime
import os
import random
import struct

import xlwt
from xlwt.CompoundDoc import XlsDoc

HERE = os.path.dirname(os.path.abspath(__file__))


def path(name):
    return os.path.join(HERE, name)


def write_strings_biff8():
    book = xlwt.Workbook(encoding='utf-8')
    sheet = book.add_sheet('Strings')
    rows = [
        ['ResID', 'Check', 'English', '中文', 'العربية'],
        ['IDS_OK', '', 'OK', '确定', 'موافق'],
        ['IDS_LINES', 'x', 'one\ntwo', '第一行\r\n第二行', 'a\rb\n\nc'],
        ['IDS_TAB', '', 'a\tb', '', ''],
        ['IDS_NUM', 42, 3.5, -7, 0.1],
        ['IDS_BIG', 1234567890123.0, 1e-07, 2.675, 1.0 / 3.0],
        [],
        ['IDS_WIDE', '', 'w', '', '', '', 'beyond'],
        ['IDS_LAST', '', 'Café', '', ''],
    ]
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value != '':
                sheet.write(r, c, value)
    date_style = xlwt.easyxf(num_format_str='YYYY-MM-DD')
    sheet.write(len(rows), 0, 'IDS_DATE')
    sheet.write(len(rows), 2, datetime.date(2021, 3, 4), date_style)
    # Only the first worksheet is converted.
    other = book.add_sheet('Other')
    other.write(0, 0, 'not converted')
    book.save(path('strings.xls'))


def write_header_only():
    book = xlwt.Workbook(encoding='utf-8')
    sheet = book.add_sheet('Header')
    for c, title in enumerate(['ResID([CR]:n)', 'English', '', 'Deutsch']):
        if title:
            sheet.write(0, c, title)
    book.save(path('header_only.xls'))


def write_string_table():
    """A string table as the import expects it: the line-feed header, a check column,
    three languages with Latin, Chinese and Arabic texts, a [RESLAN] row."""
    book = xlwt.Workbook(encoding='utf-8')
    sheet = book.add_sheet('Strings')
    rows = [
        ['ResID([CR]:n)', 'Check', 'English', '中文', 'العربية'],
        ['[RESLAN]', '', 'en', 'zh', 'ar'],
        ['IDS_OK', 'x', 'OK', '确定', 'موافق'],
        ['IDS_LINES', '', 'one\ntwo', '第一行\n第二行', 'سطر\nسطر'],
        ['IDS_OK', '', 'OK again', '', 'نعم'],
        ['  ', '', 'skipped', '', ''],
        ['IDS_OK', '', 'third', '三', ''],
        ['IDS_A_VERY_LONG_STRING_IDENTIFIER_NAME', '', 'long', '长', 'طويل'],
    ]
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value != '':
                sheet.write(r, c, value)
    book.save(path('string_table.xls'))


def record(kind, payload):
    return struct.pack('<HH', kind, len(payload)) + payload


def biff5_stream(codepage, encoding, rows):
    """A BIFF5 workbook with one sheet; `rows` holds str, int or float cells (None = empty)."""
    bof_globals = record(0x0809, struct.pack('<HHHH', 0x0500, 0x0005, 0, 0))
    # Sixteen plain cell formats, as every BIFF5 writer emits; FreeXL looks up a cell's
    # format to tell dates from numbers.
    xfs = b''.join(record(0x00E0, struct.pack('<HHHBBII', 0, 0, 0xFFF5 if i < 15 else 1,
                                                       0x20, 0, 0, 0)) for i in range(16))
    sheet_name = 'Sheet1'.encode('ascii')

    def globals_with(offset):
        sheet = record(0x0085, struct.pack('<IBBB', offset, 0, 0, len(sheet_name)) + sheet_name)
        return (bof_globals + record(0x0042, struct.pack('<H', codepage)) + xfs + sheet +
                record(0x000A, b''))

    head = globals_with(0)
    offset = len(head)
    last_col = max((len(r) for r in rows), default=0)
    cells = b''
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is None:
                continue
            if isinstance(value, str):
                raw = value.encode(encoding)
                cells += record(0x0204, struct.pack('<HHHH', r, c, 15, len(raw)) + raw)
            elif isinstance(value, int):
                rk = (value << 2) | 2
                cells += record(0x027E, struct.pack('<HHHI', r, c, 15, rk & 0xFFFFFFFF))
            else:
                cells += record(0x0203, struct.pack('<HHHd', r, c, 15, value))
    sheet = (record(0x0809, struct.pack('<HHHH', 0x0500, 0x0010, 0, 0)) +
             record(0x0200, struct.pack('<HHHHH', 0, len(rows), 0, last_col, 0)) +
             cells + record(0x000A, b''))
    return globals_with(offset) + sheet


def write_biff5(name, codepage, encoding, rows):
    with open(path(name), 'wb') as out:
        XlsDoc().save(out, biff5_stream(codepage, encoding, rows))


def long_text(script, count, shift=0):
    """The long cells' texts; Xls2txtTest.cpp builds the same ones to compare."""
    if script == 'cjk':
        return ''.join(chr(0x4E00 + (i + shift) % 1000) for i in range(count))
    return ''.join(chr(ord('a') + (i + shift) % 26) for i in range(count))


def write_long_cells():
    """Texts longer than one record: the string table goes on in continuation records,
    and a text may be cut between two of them."""
    book = xlwt.Workbook(encoding='utf-8')
    sheet = book.add_sheet('Long')
    rows = [
        ['ResID', 'English', '中文'],
        ['IDS_CJK', 'short', long_text('cjk', 9000)],
        ['IDS_ASCII', long_text('ascii', 20000), 'x'],
        ['IDS_EIGHT', long_text('ascii', 8000, 1), long_text('ascii', 8000, 2)],
        ['IDS_EIGHT2', long_text('ascii', 8000, 3), long_text('cjk', 8000, 4)],
        ['IDS_AFTER', 'after \U0001F600', '之后'],
    ]
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    # Formatting runs follow a rich text's characters, here in a later record.
    bold = xlwt.easyfont('bold true')
    sheet.write(len(rows), 0, 'IDS_RICH')
    sheet.write_rich_text(len(rows), 1, [(long_text('ascii', 9000, 5), bold), ('plain', bold)])
    sheet.write(len(rows), 2, '富')
    book.save(path('long_cells.xls'))


def write_empty_first_sheet():
    book = xlwt.Workbook(encoding='utf-8')
    book.add_sheet('Empty')
    book.add_sheet('Strings').write(0, 0, 'ResID')
    book.save(path('empty_first_sheet.xls'))


def garble(source, target, count, seed):
    """Copies `source` with `count` bytes in its middle replaced by random ones."""
    with open(path(source), 'rb') as whole:
        data = bytearray(whole.read())
    start = (len(data) - count) // 2
    rng = random.Random(seed)
    data[start:start + count] = bytes(rng.randrange(256) for _ in range(count))
    with open(path(target), 'wb') as out:
        out.write(bytes(data))


def write_broken():
    with open(path('not_a_workbook.xls'), 'wb') as out:
        out.write(b'ResID\tEnglish\r\nIDS_OK\tOK\r\n')
    with open(path('strings.xls'), 'rb') as whole:
        head = whole.read(1536)
    with open(path('truncated.xls'), 'wb') as out:
        out.write(head)


if __name__ == '__main__':
    write_strings_biff8()
    write_header_only()
    write_string_table()
    write_biff5('biff5_cp1252.xls', 1252, 'cp1252',
                [['ResID', 'English', 'Français'],
                 ['IDS_CAFE', 'Coffee', 'Café crème'],
                 ['IDS_N', 12, 0.25]])
    write_biff5('biff5_cp936.xls', 936, 'gbk',
                [['ResID', 'English', '中文'],
                 ['IDS_OK', 'OK', '确定'],
                 ['IDS_GAP', None, '空'],
                 ['IDS_N', -3, 1.5]])
    write_broken()
    write_long_cells()
    write_empty_first_sheet()
    garble('strings.xls', 'garbled_middle.xls', 400, 1)
