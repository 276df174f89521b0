#!/usr/bin/env python3
"""Cross-checks `pcn874 merge` against a second, deliberately simple reading of the rules
(exact fractions, byte-at-a-time lines) on generated and mutated files, copies of a file
under another name among them.

usage: tools/crosscheck.py PATH-TO-pcn874 [ROUNDS] [SEED]
Prints the first disagreement with the files that caused it, or a count of agreements.
"""
import os
import random
import subprocess
import sys
import tempfile
from fractions import Fraction

INT64_MAX = 2**63 - 1
INT64_MIN = -(2**63)
SCALE = 10000

MSG = {
    'dup': 'קובץ זה נמצא כבר ברשימת הקבצים',
    'open': 'לא ניתן לפתוח את הקובץ המבוקש',
    'corrupt': 'הקובץ שצויין פגום ולא ניתן לקוראו',
    'month': 'חודש הדיווח בקובץ זה אינו זהה לחודש הדיווח בקובץ הקודם',
    'closing': 'מספר עוסק ברשומת סגירה אינו זהה לרשומת הפתיחה',
    'few': 'לא נבחרו קבצים ליצור הקובץ המאוחד',
    'number': 'מספר העוסק שהנבחר להפקה אינו תקין',
    'income': "הפרש גדול מ 5% בין תנועות וסכומי ההכנסות",
    'salesVat': "הפרש גדול מ 5% בין תנועות וסכומי מע'מ עיסקאות",
    'inputsVat': "הפרש גדול מ 5% בין תנועות וסכומי מע'מ תשומות",
}
WIDE_PREFIX = 'הערך של '
WIDE_SUFFIX = ' גדול מרוחב השדה ברשומת הקובץ המאוחד - הקובץ לא הופק'
FIELD_NAMES = ['הכנסות חייבות', 'מע"מ עיסקאות', 'הכנסות פטורות', 'מע"מ תשומות',
               'מע"מ תשומות רכוש', 'הפרש לתשלום', 'סה"כ עיסקאות', 'סה"כ תשומות']


def lines_of(data):
    # Lines end at CR (an LF right after it included); in a file without any CR, at LF.
    end = 10 if 13 not in data else 13
    out, i = [], 3 if data[:3] == b'\xef\xbb\xbf' else 0
    while i < len(data) and data[i] != 26:
        j = i
        while j < len(data) and data[j] not in (end, 26):
            j += 1
        out.append(data[i:j])
        if j < len(data) and data[j] == 26:
            break
        i = j
        if i < len(data):
            i += 1
            if end == 13 and i < len(data) and data[i] == 10:
                i += 1
    return out


def field(line, col, width):
    return line[col - 1:col - 1 + width]


def round_half_even(q):
    floor = q.numerator // q.denominator
    rest = q - floor
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and floor % 2):
        floor += 1
    return floor


def saturate(v):
    return max(INT64_MIN, min(INT64_MAX, v))


def number_value(text):
    i = 0
    while i < len(text) and text[i] in b' \t\r\n':
        i += 1
    if i < len(text) and text[i] == ord('&'):
        rest = text[i + 1:]
        if not rest:
            return 0
        c = chr(rest[0])
        base = {'H': 16, 'h': 16, 'B': 2, 'b': 2, 'O': 8, 'o': 8, 'Q': 8, 'q': 8}.get(c)
        if base:
            rest = rest[1:]
        else:
            base = 8
        v = 0
        for ch in rest:
            try:
                d = int(chr(ch), 16)
            except ValueError:
                break
            if d >= base:
                break
            v = v * base + d
        return saturate(v * SCALE)
    neg = False
    if i < len(text) and text[i] in b'+-':
        neg = text[i] == ord('-')
        i += 1
    digits, frac, point, seen = '', 0, False, False
    while i < len(text):
        ch = chr(text[i])
        if ch.isdigit() and text[i] < 128:
            digits += ch
            seen = True
            if point:
                frac += 1
        elif ch == '.' and not point:
            point = True
        else:
            break
        i += 1
    if not seen:
        return 0
    exp = 0
    if i < len(text) and chr(text[i]) in 'EeDd':
        i += 1
        eneg = False
        if i < len(text) and text[i] in b'+-':
            eneg = text[i] == ord('-')
            i += 1
        while i < len(text) and chr(text[i]).isdigit() and text[i] < 128:
            exp = min(exp * 10 + text[i] - 48, 9999)
            i += 1
        if eneg:
            exp = -exp
    power = exp - frac + 4
    mant = int(digits)
    if mant == 0:
        return 0
    if power > 40:
        v = 10**40
    elif power >= 0:
        v = mant * 10**power
    elif -power > len(digits) + 2:
        v = 0
    else:
        v = round_half_even(Fraction(mant, 10**(-power)))
    return saturate(-v if neg else v)


def fixed(text, width):
    return (text[:width] + b' ' * width)[:width]


def month_of(line):
    return field(line, 15, 2) + b'-' + field(line, 11, 4)


def load(path, n, month):
    try:
        data = open(path, 'rb').read()
    except OSError:
        return 'open', None
    if not data:
        return 'open', None
    e = dict(dealer=b'\0' * 9, month=b'\0' * 8, code=b'\0', taxable=0, exempt=0, svat=0,
             ivat=0, avat=0, pay=0, sc=0, ic=0, samt=0, srv=0, irv=0)
    accepted = 0
    for line in lines_of(data):
        t = line[:1]
        if t == b'O':
            if n > 0 and month_of(line) != month:
                return 'month', None
            e['dealer'] = fixed(field(line, 2, 9), 9)
            e['month'] = fixed(month_of(line), 8)
            e['code'] = fixed(field(line, 17, 1), 1)
            e['taxable'] = number_value(field(line, 26, 12))
            e['svat'] = number_value(field(line, 38, 10))
            e['exempt'] = number_value(field(line, 79, 12))
            e['ivat'] = number_value(field(line, 91, 10))
            e['avat'] = number_value(field(line, 101, 10))
            e['pay'] = number_value(field(line, 120, 12))
            accepted += 1
        elif t == b'X':
            if field(line, 2, 9) != e['dealer']:
                return 'closing', None
            accepted += 1
        elif t and t in b'SLMYITCKRPH':
            vat = number_value(field(line, 32, 9))
            amount = number_value(field(line, 42, 10)) if t in b'SLMYI' else 0
            if field(line, 41, 1) == b'-':
                vat, amount = saturate(-vat), saturate(-amount)
            if t in b'SLMYI':
                e['srv'] = saturate(e['srv'] + vat)
                e['samt'] = saturate(e['samt'] + amount)
                e['sc'] += 1
            else:
                e['irv'] = saturate(e['irv'] + vat)
                e['ic'] += 1
    if accepted < 2:
        return 'corrupt', None
    return None, e


def percent(num, den):
    if den == 0:
        return None
    p = 100.0 - 100.0 * (num / SCALE) / (den / SCALE)
    scaled = p * SCALE
    if not abs(scaled) < 9.2233720368547758e18:
        return None
    return round(scaled)  # Python rounds ties to even


def pair_fails(c, which):
    if which == 'income':
        t, d = saturate(c['taxable'] + c['exempt']), c['samt']
        p = percent(t, d)
    elif which == 'salesVat':
        t, d = c['svat'], c['srv']
        p = percent(t, d)
    else:
        t, d = saturate(c['ivat'] + c['avat']), c['irv']
        p = percent(d, t)
        if t == 0:
            p = 0
    if abs(saturate(d - t)) < SCALE or (p is not None and p >= 100 * SCALE):
        p = 0
    return p is None or abs(p) > 5 * SCALE


def signed(value, width):
    whole = round_half_even(Fraction(abs(value), SCALE))
    return (b'-' if value < 0 else b'+') + str(whole).zfill(width - 1).encode()


def fits(value, width):
    return round_half_even(Fraction(abs(value), SCALE)) < 10**(width - 1)


def luhn(number):
    if number_value(number) == 0:
        return 1
    total = 0
    for i, ch in enumerate(reversed(number), 1):
        d = ch - 48 if 48 <= ch <= 57 else 0
        if i % 2 == 0:
            d *= 2
        if d > 9:
            d = d % 10 + 1
        total += d
    return total % 10


def model_merge(files, representative, number, outdir, date):
    """Returns (exit code, stderr text, output bytes or None)."""
    table = []
    combined = dict(month=b'\0' * 8, code=b'\0', taxable=0, exempt=0, svat=0, ivat=0, avat=0,
                    pay=0, sc=0, ic=0, samt=0, srv=0, irv=0)
    dealers = []
    for path in files:
        if not os.path.isfile(path):
            return 2, None, None
        if any(p == path for p, _ in table):
            return 2, MSG['dup'], None
        month = (combined['month'] + b' ').strip(b' ') if table else b''
        err, e = load(path, len(table), month)
        if err:
            return 2, MSG[err], None
        # The same bytes as a file taken already: the same report, which would count twice.
        data = open(path, 'rb').read()
        for p, _ in table:
            if open(p, 'rb').read() == data:
                return 2, MSG['dup'] + '\n' + p, None
        table.append((path, e))
        combined['month'], combined['code'] = e['month'], e['code']
        for k in ('taxable', 'exempt', 'svat', 'ivat', 'avat', 'samt', 'srv', 'irv'):
            combined[k] = saturate(combined[k] + e[k])
        combined['sc'] += e['sc']
        combined['ic'] += e['ic']
        combined['pay'] = saturate(saturate(combined['svat'] - combined['ivat']) - combined['avat'])
        if e['dealer'] not in dealers:
            dealers.append(e['dealer'])
    if len(table) < 2:
        return 2, MSG['few'], None
    text = number if number is not None else dealers[0]
    whole = round_half_even(Fraction(number_value(text), SCALE))
    norm = str(abs(whole)).zfill(9).encode()
    if whole < 0:
        norm = b'-' + norm
    if len(norm) != 9 or luhn(norm) != 0:
        return 2, MSG['number'], None
    for which in ('income', 'salesVat', 'inputsVat'):
        if pair_fails(combined, which):
            return 2, MSG[which], None
    c = combined
    if representative:
        if not (0 <= c['sc'] + c['ic'] <= 999999999):
            return 2, WIDE_PREFIX + 'סה"כ רשומות' + WIDE_SUFFIX, None
    else:
        for value, width, name in ((c['taxable'], 12, 0), (c['svat'], 10, 1), (c['exempt'], 12, 2),
                                   (c['ivat'], 10, 3), (c['avat'], 10, 4), (c['pay'], 12, 5)):
            if not fits(value, width):
                return 2, WIDE_PREFIX + FIELD_NAMES[name] + WIDE_SUFFIX, None
        if c['sc'] > 999999999:
            return 2, WIDE_PREFIX + FIELD_NAMES[6] + WIDE_SUFFIX, None
        if c['ic'] > 999999999:
            return 2, WIDE_PREFIX + FIELD_NAMES[7] + WIDE_SUFFIX, None
    month = (c['month'] + b' ').strip(b' ')
    # The year and month columns keep their widths even for a short month text.
    year = (month[-4:] if len(month) > 4 else month).ljust(4, b' ')
    mm = month[:2].ljust(2, b' ')
    if representative:
        first = b'A' + norm + year + mm
        last = b'Z' + str(len(table)).zfill(9).encode() + str(c['sc'] + c['ic']).zfill(9).encode()
    else:
        first = (b'O' + norm + year + mm + c['code'] + date.encode() + signed(c['taxable'], 12)
                 + signed(c['svat'], 10) + b'+00000000000+000000000' + str(c['sc']).zfill(9).encode()
                 + signed(c['exempt'], 12) + signed(c['ivat'], 10) + signed(c['avat'], 10)
                 + str(c['ic']).zfill(9).encode() + signed(c['pay'], 12))
        last = b'X' + norm
    out = [first]
    for path, _ in table:
        for line in lines_of(open(path, 'rb').read()):
            if not representative and line[:1] in (b'O', b'X'):
                continue
            out.append(line)
    out.append(last)
    return 0, None, b''.join(l + b'\r\n' for l in out), month


# ---- generating and mutating files --------------------------------------------------

def amount(v, w):
    return ('-' if v < 0 else '+') + str(abs(v)).zfill(w - 1)


def gen_file(rnd, dealer, month):
    lines, sa, sv, iv, sc, ic = [], 0, 0, 0, 0, 0
    # Now and then a file of a few MB: read in several blocks, with writes still under way
    # behind the reader while it reads on.
    for _ in range(rnd.randint(0, 12) if rnd.random() > 0.03 else rnd.randint(20000, 60000)):
        t = rnd.choice('SSSLMYITTCKRPH')
        a = rnd.randint(0, 99999)
        v = a * 17 // 100
        sign = rnd.choice('++++- ')
        s = -1 if sign == '-' else 1
        lines.append(t + '%030d' % rnd.randint(0, 10**12) + str(v).zfill(9) + sign + str(a).zfill(10))
        if t in 'SLMYI':
            sa += s * a
            sv += s * v
            sc += 1
        else:
            iv += s * v
            ic += 1
    asset = iv // 3
    op = ('O' + dealer + month[3:] + month[:2] + rnd.choice('12') + '20240401' + amount(sa, 12)
          + amount(sv, 10) + '+00000000000+000000000' + str(sc).zfill(9) + amount(0, 12)
          + amount(iv - asset, 10) + amount(asset, 10) + str(ic).zfill(9) + amount(sv - iv, 12))
    return [op] + lines + ['X' + dealer]


def mutate(rnd, lines):
    data = '\r\n'.join(lines) + rnd.choice(['\r\n', '', '\r', '\r\n\x1a'])
    data = bytearray(data.encode())
    for _ in range(rnd.choice([0, 0, 0, 0, 0, 0, 1, 1, 2, 4])):
        if not data:
            break
        i = rnd.randrange(len(data))
        kind = rnd.randrange(6)
        if kind == 0:
            data[i] = rnd.choice(b'0123456789 +-.eEdD&HhOX\r\n\x1aSTo')
        elif kind == 1:
            del data[i:i + rnd.randint(1, 30)]
        elif kind == 2:
            data[i:i] = rnd.choice([b'\r', b'\n', b'\x1a', b'\r\n', b'E5', b'.5', b'&H1'])
        elif kind == 3:
            data = data.replace(b'\r\n', b'\n') if rnd.random() < 0.1 else data.replace(b'\r\n', b'\r')
        elif kind == 4:
            data[i] = rnd.randrange(256)
        else:
            data = data[:i] if rnd.random() < 0.3 else data + b'\r\n' + bytes(data[:i])
    if rnd.random() < 0.05:
        data = b'\xef\xbb\xbf' + data  # saved by an editor that marks UTF-8
    return bytes(data)


def main():
    cli = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    rnd = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 874)
    agreed = 0
    outcomes = {}
    with tempfile.TemporaryDirectory() as tmp:
        for r in range(rounds):
            work = os.path.join(tmp, str(r))
            os.mkdir(work)
            month = '04-2024' if rnd.random() < 0.05 else '03-2024'
            files = []
            for k in range(rnd.choice([1, 2, 2, 3, 3, 4])):
                dealer = rnd.choice(['123456782', '000000018', '513987651', '12345678 '])
                data = mutate(rnd, gen_file(rnd, dealer, month if k else '03-2024'))
                path = os.path.join(work, 'f%d.txt' % k)
                open(path, 'wb').write(data)
                files.append(path)
            if rnd.random() < 0.1:
                files.append(files[0])
            elif rnd.random() < 0.1:
                copy = os.path.join(work, 'copy.txt')
                open(copy, 'wb').write(open(files[0], 'rb').read())
                files.insert(rnd.randrange(1, len(files) + 1), copy)
            representative = rnd.random() < 0.4
            number = rnd.choice([None] * 6 + ['18', '19', '123456782', ''])
            args = [cli, 'merge', '--date', '20241201', '--out', work]
            if representative:
                args.append('--representative')
            if number is not None:
                args += ['--number', number]
            run = subprocess.run(args + files, capture_output=True)
            model = model_merge(files, representative,
                                number.encode() if number is not None else None, work, '20241201')
            code, err = model[0], model[1]
            ok = run.returncode == code
            if ok and err is not None:
                # "pcn874: FILE:LINE: " and the message (with its English reason) name it.
                told = run.stderr.decode()
                ok = told.startswith('pcn874: ') and all(part in told for part in err.split('\n'))
            if ok and code == 0:
                out_path = os.path.join(work, 'Pcn874-' + model[3].decode('latin-1') + '.txt')
                ok = run.stdout.decode().strip() == out_path and open(out_path, 'rb').read() == model[2]
            if not ok:
                print('DISAGREE in round', r, 'files kept in', work + '.kept')
                os.rename(work, work + '.kept')
                subprocess.run(['cp', '-r', work + '.kept', '/tmp/crosscheck-disagreement'])
                print(' args:', args + files)
                print(' cli  :', run.returncode, run.stderr.decode()[:200], run.stdout[:200])
                print(' model:', code, err)
                return 1
            agreed += 1
            key = 'written' if code == 0 else (err or 'missing file').split('\n')[0]
            outcomes[key] = outcomes.get(key, 0) + 1
    print('%d merges agreed' % agreed)
    for key, count in sorted(outcomes.items(), key=lambda kv: -kv[1]):
        print('  %5d  %s' % (count, key))
    return 0


if __name__ == '__main__':
    sys.exit(main())
