// `pm.response.to.*`: assertions on a reply, added to chai next to its own.
(function (lib, global, host, chai) {
    'use strict';

    var hasOwn = lib.hasOwn;
    var Response = lib.Response;

    var STATUS_CLASSES = {
        info: [100, 199, 'informational'],
        success: [200, 299, 'success'],
        redirection: [300, 399, 'redirection'],
        clientError: [400, 499, 'client error'],
        serverError: [500, 599, 'server error'],
    };
    var STATUS_NAMES = {
        ok: 200,
        accepted: 202,
        withoutContent: 204,
        badRequest: 400,
        unauthorized: 401,
        forbidden: 403,
        notFound: 404,
        notAcceptable: 406,
        rateLimited: 429,
    };

    function jsonPath(value, path)
    {
        var parts = String(path).replace(/\[(\w+)\]/g, '.$1').split('.').filter(function (part) {
            return part.length > 0;
        });
        for (var i = 0; i < parts.length; ++i) {
            if (value === null || value === undefined || typeof value !== 'object'
                || !hasOwn(value, parts[i]))
                return {found: false};
            value = value[parts[i]];
        }
        return {found: true, value: value};
    }

    chai.use(function (chai, utils) {
        var Assertion = chai.Assertion;

        function response(assertion)
        {
            var object = assertion._obj;
            new Assertion(object instanceof Response, 'expected a response to assert on').to.be.ok;
            return object;
        }

        function contentType(reply)
        {
            return String(reply.headers.get('Content-Type') || '');
        }

        Assertion.addMethod('status', function (expected) {
            var reply = response(this);
            if (typeof expected === 'number') {
                this.assert(reply.code === expected,
                    'expected response to have status code #{exp} but got #{act}',
                    'expected response to not have status code #{act}', expected, reply.code);
            } else {
                this.assert(reply.status === expected,
                    'expected response to have status reason #{exp} but got #{act}',
                    'expected response to not have status reason #{act}', expected, reply.status);
            }
        });

        Object.keys(STATUS_CLASSES).forEach(function (name) {
            var range = STATUS_CLASSES[name];
            Assertion.addProperty(name, function () {
                var reply = response(this);
                this.assert(reply.code >= range[0] && reply.code <= range[1],
                    'expected response code to be ' + range[2] + ' (' + range[0] + '-' + range[1]
                        + ') but found #{act}',
                    'expected response code to not be ' + range[2] + ' but found #{act}',
                    undefined, reply.code);
            });
        });
        Assertion.addProperty('error', function () {
            var reply = response(this);
            this.assert(reply.code >= 400 && reply.code <= 599,
                'expected response code to be 4XX or 5XX but found #{act}',
                'expected response code to not be 4XX or 5XX but found #{act}', undefined,
                reply.code);
        });
        Object.keys(STATUS_NAMES).forEach(function (name) {
            var code = STATUS_NAMES[name];
            function check()
            {
                var reply = response(this);
                this.assert(reply.code === code,
                    'expected response to have status code #{exp} but got #{act}',
                    'expected response to not have status code #{act}', code, reply.code);
            }
            if (name === 'ok') {
                // chai's own `ok` (truthy) stays for everything that is not a reply.
                Assertion.overwriteProperty('ok', function (_super) {
                    return function () {
                        if (this._obj instanceof Response)
                            check.call(this);
                        else
                            _super.call(this);
                    };
                });
            } else {
                Assertion.addProperty(name, check);
            }
        });

        Assertion.addMethod('header', function (name, value) {
            var reply = response(this);
            var present = reply.headers.has(name);
            if (arguments.length < 2 || !present) {
                this.assert(present, 'expected response to have header with key #{exp}',
                    'expected response to not have header with key #{exp}', name);
                if (arguments.length < 2)
                    return;
            }
            var actual = reply.headers.get(name);
            this.assert(actual === String(value),
                'expected \'' + name + '\' response header to be #{exp} but got #{act}',
                'expected \'' + name + '\' response header to not be #{act}', String(value),
                actual);
        });

        Assertion.addMethod('body', function (expected) {
            var reply = response(this);
            var text = reply.text();
            if (arguments.length === 0) {
                this.assert(text.length > 0, 'expected response to have content in body',
                    'expected response to not have content in body');
            } else if (expected instanceof RegExp) {
                this.assert(expected.test(text), 'expected response body text to match #{exp}',
                    'expected response body text to not match #{exp}', expected, text);
            } else if (typeof expected === 'string') {
                this.assert(text === expected, 'expected response body to equal #{exp} but got #{act}',
                    'expected response body to not equal #{exp}', expected, text);
            } else {
                var parsed;
                try {
                    parsed = JSON.parse(text);
                } catch (e) {
                    parsed = undefined;
                }
                this.assert(utils.eql(parsed, expected),
                    'expected response body json to equal #{exp} but got #{act}',
                    'expected response body json to not equal #{exp}', expected, parsed);
            }
        });
        Assertion.addProperty('withBody', function () {
            var reply = response(this);
            this.assert(reply.text().length > 0, 'expected response to have content in body',
                'expected response to not have content in body');
        });

        Assertion.addMethod('jsonBody', function (path, value) {
            var reply = response(this);
            var parsed, valid = true;
            try {
                parsed = JSON.parse(reply.text());
            } catch (e) {
                valid = false;
            }
            if (arguments.length === 0 || !valid) {
                this.assert(valid, 'expected response body to be a valid json',
                    'expected response body to not be a valid json');
                if (arguments.length === 0)
                    return;
            }
            if (typeof path === 'object') {
                this.assert(utils.eql(parsed, path),
                    'expected response body json to equal #{exp} but got #{act}',
                    'expected response body json to not equal #{exp}', path, parsed);
                return;
            }
            var found = jsonPath(parsed, path);
            if (arguments.length < 2) {
                this.assert(found.found, 'expected #{act} in response to contain property #{exp}',
                    'expected #{act} in response to not contain property #{exp}', path, parsed);
                return;
            }
            this.assert(found.found && utils.eql(found.value, value),
                'expected response to have property ' + path + ' equal to #{exp} but got #{act}',
                'expected response to not have property ' + path + ' equal to #{act}', value,
                found.value);
        });

        [['json', /\bjson\b|\+json\b/i, 'json'], ['html', /html/i, 'html'],
            ['xml', /xml/i, 'xml']].forEach(function (kind) {
            Assertion.addProperty(kind[0], function () {
                var reply = response(this);
                var type = contentType(reply);
                var matches = kind[1].test(type);
                if (matches && kind[0] === 'json') {
                    try {
                        JSON.parse(reply.text());
                    } catch (e) {
                        matches = false;
                    }
                }
                this.assert(matches, 'expected response to be ' + kind[2] + ' but got #{act}',
                    'expected response to not be ' + kind[2], undefined, type);
            });
        });
    });
})
