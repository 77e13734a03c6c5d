#!/usr/bin/env python3
# Copyright Kelmora. All Rights Reserved.
"""Floods a camera listener on a loopback port: one datagram in ten a valid camera message, the rest hostile
(random bytes, truncated documents, deep nesting, wrong types, huge numbers, long arrays, many foreign
members), each up to 1.5 KB, plus one 60 KB document a second. Prints one JSON line of what it sent."""

import argparse
import json
import random
import socket
import time

MAX_SMALL = 1500


def valid_message(sequence):
    # Setup[7] = 0 keeps publishing on the receiver thread, whatever a hostile message switched it to.
    return ('{"ORVCamera":[{"Version":1.0,"Setup":[0,0,0,0,0,1,0,0],"Location":[%d.5,-2.25,170],'
            '"Rotation":[0,0,0.38268343,0.92387953],"Scale":[1,1,1],"Sensor":[36,24],'
            '"Timecode":[%d,50,1]}]}' % (sequence % 100000, sequence)).encode()


def clip(payload):
    return payload[:MAX_SMALL]


def hostile_messages(rng, count):
    template = valid_message(12345).decode()
    makers = [
        lambda: bytes(rng.getrandbits(8) for _ in range(rng.randint(1, MAX_SMALL))),
        lambda: template[:rng.randint(0, len(template) - 1)].encode(),
        lambda: ('[' * rng.randint(1, MAX_SMALL)).encode(),
        lambda: clip(('{"ORVCamera":' * rng.randint(1, 120) + '[{}]').encode()),
        lambda: clip(('{"a":' * rng.randint(1, 300) + '1' + '}' * rng.randint(0, 300)).encode()),
        lambda: rng.choice([b'{"ORVCamera":"x"}', b'{"ORVCamera":[1]}', b'{"ORVCamera":[[{}]]}', b'{"ORVCamera":{}}',
                            b'{"ORVCamera":[{"Location":"abc","Timecode":{"a":1},"Setup":"s","Rotation":null}]}',
                            b'{"ORVCamera":[{"Version":"2","Action":"4","Param":[1,2],"Param2":"x"}]}',
                            b'[]', b'null', b'"ORVCamera"', b'{"ORVCamera":[{"Metadata":[1,2,3],"Setup":[1,1,1,1,1,1]}]}']),
        lambda: ('{"ORVCamera":[{"Version":%s,"Timecode":[%s,%s,%s,%s],"Param2":[%s,%s,%s,%s,%s]}]}' % tuple(
            rng.choice(['1e308', '-1e308', '1e999', '-1e999', '18446744073709551616', '9' * 300, '-0', '4.9e-324', '2147483648'])
            for _ in range(10))).encode()[:MAX_SMALL],
        lambda: clip(('{"ORVCamera":[{"Location":[' + ','.join(['1'] * rng.randint(3, 700)) + ']}]}').encode()),
        lambda: clip(('{"ORVCamera":[' + ','.join(['{}'] * rng.randint(2, 700)) + ']}').encode()),
        lambda: clip(('{' + ','.join('"m%d":%d' % (i, i) for i in range(rng.randint(2, 200))) + '}').encode()),
    ]
    messages = []
    for _ in range(count):
        message = makers[rng.randrange(len(makers))]()
        messages.append(message if message else b'{')
    return messages


def big_message(rng, index):
    if index % 2 == 0:
        body = ','.join('"foreign%d":[1,2,3]' % i for i in range(3000))
        return ('{' + body[:60000 - 40] + ',"ORVCamera":[]}').encode()
    return ('{"ORVCamera":[{"Location":[' + ','.join(['1.5'] * 19990) + ']}]}').encode()[:60 * 1024]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--port', type=int, required=True)
    parser.add_argument('--seconds', type=float, required=True)
    parser.add_argument('--rate', type=int, default=50000)
    parser.add_argument('--seed', type=int, default=1)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    hostile = hostile_messages(rng, 4096)
    bigs = [big_message(rng, index) for index in range(2)]
    target = ('127.0.0.1', args.port)
    sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)

    sent = valid = big = errors = 0
    start = time.perf_counter()
    end = start + args.seconds
    next_big = start
    while True:
        now = time.perf_counter()
        if now >= end:
            break
        if now >= next_big:
            try:
                sender.sendto(bigs[big % 2], target)
                big += 1
            except OSError:
                errors += 1
            next_big += 1.0
        due = int((now - start) * args.rate) - sent
        for _ in range(min(due, 500)):
            if sent % 10 == 0:
                payload = valid_message(valid)
            else:
                payload = hostile[rng.randrange(len(hostile))]
            try:
                sender.sendto(payload, target)
            except OSError:
                errors += 1
                continue
            if sent % 10 == 0:
                valid += 1
            sent += 1
        if due <= 0:
            time.sleep(0.0005)
    seconds = time.perf_counter() - start
    print(json.dumps({'sent': sent + big, 'valid': valid, 'big': big, 'send_errors': errors,
                      'seconds': round(seconds, 3), 'rate': round((sent + big) / seconds)}))


if __name__ == '__main__':
    main()
